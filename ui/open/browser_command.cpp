#include "ui/open/browser_command.h"

#include <algorithm>

namespace korimbo {

std::optional<std::wstring> BrowserCommandLine(std::wstring_view browserCommand, std::wstring_view target,
                                               std::size_t capacity)
{
    const bool unquotable =
        std::any_of(target.begin(), target.end(), [](wchar_t c) { return c == L'"' || c < 0x20 || c == 0x7F; });
    if (unquotable)
        return std::nullopt;
    std::size_t cut = browserCommand.find(L"\"%1\"");
    if (cut == std::wstring_view::npos)
        cut = browserCommand.find(L"%1");
    std::wstring line(browserCommand.substr(0, cut));
    line += L" \"";
    line += target;
    // Backslashes right before a quote escape it: write each of those twice.
    const std::size_t lastOther = target.find_last_not_of(L'\\');
    const std::size_t trailing = target.size() - (lastOther == std::wstring_view::npos ? 0 : lastOther + 1);
    line.append(trailing, L'\\');
    line += L'"';
    if (line.size() + 1 > capacity)
        return std::nullopt;
    return line;
}

} // namespace korimbo
