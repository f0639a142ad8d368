#include "ui/logic/url_scheme.h"

#include <string>

namespace korimbo {
namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}
char ToLowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool IsOpenableTarget(std::string_view target)
{
    const std::size_t colon = target.find(':');
    if (colon == std::string_view::npos || colon == 0 || !IsAsciiLetter(target[0]))
        return false;
    // A one-letter "scheme" is a drive letter ("C:\..."), never an address.
    if (colon == 1)
        return false;
    std::string scheme;
    for (const char c : target.substr(0, colon)) {
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.')
            return false;
        scheme.push_back(ToLowerAscii(c));
    }
    return scheme != "file";
}

} // namespace korimbo
