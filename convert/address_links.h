#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Building the links: their prefixes, markers and suffix, and the Base64 text written straight
// into one buffer. Internal to the core; address.h has the public side.
namespace korimbo::detail {

inline constexpr std::string_view kHttpPrefix = "http://";
inline constexpr std::string_view kThunderPrefix = "thunder://";
inline constexpr std::string_view kFlashGetPrefix = "Flashget://";
inline constexpr std::string_view kWhirlwindPrefix = "qqdl://";

// The link of form `kind` (1 to 3) for `address`, built in `out` (which keeps its memory): the
// prefix, then the Base64 text of front marker + address + back marker, then the suffix. Throws
// std::bad_alloc when `out` cannot grow.
void BuildLink(std::int32_t kind, std::string_view address, std::string &out);

} // namespace korimbo::detail
