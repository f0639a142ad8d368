#include "ui/logic/open_rule.h"

#include <algorithm>

namespace korimbo {
namespace {

char ToLowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

template <std::size_t N> bool Holds(const std::array<std::string_view, N> &list, std::string_view item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

// A byte that no target may hold. Working byte by byte is safe on GBK: a second byte is never below
// 0x40, so it is never a control character, a space or a double quote.
bool IsRefusedByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F || c == '"';
}

} // namespace

std::optional<std::string> OpenableForm(std::string_view target)
{
    const std::size_t colon = target.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    std::string scheme(target.substr(0, colon));
    std::transform(scheme.begin(), scheme.end(), scheme.begin(), ToLowerAscii);
    if (!Holds(kOpenableSchemes, scheme) || std::any_of(target.begin(), target.end(), IsRefusedByte))
        return std::nullopt;
    if (target.find(' ') == std::string_view::npos)
        return std::string(target);
    if (!Holds(kSpaceEncodingSchemes, scheme))
        return std::nullopt;
    std::string form;
    form.reserve(target.size() + 2 * static_cast<std::size_t>(std::count(target.begin(), target.end(), ' ')));
    for (const char c : target) {
        if (c == ' ')
            form += "%20";
        else
            form += c;
    }
    return form;
}

bool IsOpenableTarget(std::string_view target)
{
    return OpenableForm(target).has_value();
}

} // namespace korimbo
