#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// A strict reader for the one kind of JSON that korimbo-convert writes: an object whose values
// are strings and booleans.
namespace korimbo::testing {

using FlatValue = std::variant<std::string, bool>;
using FlatObject = std::vector<std::pair<std::string, FlatValue>>;

// The members in their order, strings decoded to UTF-8; nullopt unless `text` is exactly one
// such object (white space around tokens allowed, raw control characters in strings not).
std::optional<FlatObject> ParseFlatObject(std::string_view text);

} // namespace korimbo::testing
