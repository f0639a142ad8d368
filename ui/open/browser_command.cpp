#include "ui/open/browser_command.h"

#include <algorithm>

namespace korimbo {

std::optional<std::string> BrowserCommandLine(std::string_view browserCommand, std::string_view target,
                                              std::size_t capacity)
{
    const bool unquotable = std::any_of(target.begin(), target.end(), [](char c) {
        return c == '"' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (unquotable)
        return std::nullopt;
    std::size_t cut = browserCommand.find("\"%1\"");
    if (cut == std::string_view::npos)
        cut = browserCommand.find("%1");
    std::string line(browserCommand.substr(0, cut));
    line += " \"";
    line += target;
    line += '"';
    if (line.size() + 1 > capacity)
        return std::nullopt;
    return line;
}

} // namespace korimbo
