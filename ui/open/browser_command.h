#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace korimbo {

// The size, in UTF-16 units with the terminating zero, of the command line the Windows opener
// starts the web browser with.
inline constexpr std::size_t kBrowserCommandCapacity = 520;

// The command line that opens `target` in the web browser whose registered command is
// `browserCommand`: the command cut at its first "\"%1\"" (else at its first "%1", else whole),
// one space, then the target in double quotes so that spaces in it cannot add arguments. The
// backslashes that end the target are doubled, so that the closing quote stays a quote and every
// backslash arrives. Nothing when the target holds a double quote or a control character (it could
// not be quoted safely) or when the line and its terminating zero would not fit in `capacity`.
std::optional<std::wstring> BrowserCommandLine(std::wstring_view browserCommand, std::wstring_view target,
                                               std::size_t capacity = kBrowserCommandCapacity);

} // namespace korimbo
