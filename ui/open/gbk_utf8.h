#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korimbo {

// The GBK (code page 936) bytes as UTF-8, or nothing when they are not valid GBK.
std::optional<std::string> GbkToUtf8(std::string_view gbk);

} // namespace korimbo
