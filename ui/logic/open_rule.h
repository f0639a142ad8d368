#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What a link box may hand to the desktop. Every target came from a stranger's text (a link on a
// web page decodes to whatever its author chose), so this is the one place that decides, for every
// platform, for the hand pointer, the underline and the press alike.
namespace korimbo {

// The download schemes Korimbo opens, in lower case; the scheme of a target (the letters before
// its first ":") is compared without regard to case. Packagers: every scheme added here reaches
// whatever program the desktop has registered for it, with text that a stranger chose. Schemes
// that start programs or reach local files (file:, shell:, search-ms:, ms-msdt:, smb:, javascript:,
// data:, ...) must never be added.
inline constexpr std::array<std::string_view, 8> kOpenableSchemes{
    "http", "https", "ftp", "thunder", "flashget", "qqdl", "ed2k", "magnet",
};

// Schemes whose addresses mean the same with a space written as "%20".
inline constexpr std::array<std::string_view, 3> kSpaceEncodingSchemes{"http", "https", "ftp"};

// The longest target this platform can hand on, in UTF-8 bytes: on Linux a program argument holds
// at most 128 KiB with its terminating zero; elsewhere there is no such limit.
extern const std::size_t kMaxTargetUtf8Bytes;

// The text to hand to the desktop for `target` (GBK bytes), or nothing when it must not be opened.
// A target is opened only when its scheme is one of kOpenableSchemes and it holds no double quote,
// no byte below 0x20 and no 0x7F: so it cannot close a quoted "%1" on a handler's command line or
// smuggle a line break. A space could split the target where a handler registered an unquoted %1:
// for kSpaceEncodingSchemes it is written as "%20"; any other target with a space is refused
// rather than guessed at. A target longer than kMaxTargetUtf8Bytes would not arrive and is refused
// too. Otherwise the target is returned unchanged.
std::optional<std::string> OpenableForm(std::string_view target);

// Whether OpenableForm gives something: the link shows the hand pointer and opens when pressed.
// Cheap: it builds nothing.
bool IsOpenableTarget(std::string_view target);

} // namespace korimbo
