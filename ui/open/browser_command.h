#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace korimbo {

// The size of the buffer the Windows opener builds the browser's command line in.
inline constexpr std::size_t kBrowserCommandCapacity = 520;

// The command line that opens `target` in the web browser whose registered command is
// `browserCommand`: the command cut at its first "\"%1\"" (else at its first "%1", else whole),
// one space, then the target in double quotes so that spaces in it cannot add arguments. Nothing
// when the target holds a double quote or a control character (it could not be quoted safely) or
// when the line and its terminating zero would not fit in `capacity` bytes.
std::optional<std::string> BrowserCommandLine(std::string_view browserCommand, std::string_view target,
                                              std::size_t capacity = kBrowserCommandCapacity);

} // namespace korimbo
