#pragma once

#include <string_view>

namespace korimbo {

// Whether a link target may be handed to the desktop's "open" action: it must begin with a URL
// scheme (a letter, then letters, digits, "+", "-" or ".", then ":") other than "file" in any
// letter case. Paths such as C:\x.exe (one-letter scheme), \\host\share or "转换失败" are refused.
bool IsOpenableTarget(std::string_view target);

} // namespace korimbo
