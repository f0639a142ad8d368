#include "ui/logic/open_rule.h"

#include <algorithm>
#include <limits>

// The build sets the platform's limit where it has one.
#ifndef KORIMBO_MAX_TARGET_UTF8_BYTES
#define KORIMBO_MAX_TARGET_UTF8_BYTES std::numeric_limits<std::size_t>::max()
#endif

namespace korimbo {

const std::size_t kMaxTargetUtf8Bytes = KORIMBO_MAX_TARGET_UTF8_BYTES;

namespace {

char ToLowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether the list holds `scheme`, compared without regard to letter case.
template <std::size_t N> bool Holds(const std::array<std::string_view, N> &list, std::string_view scheme)
{
    return std::any_of(list.begin(), list.end(), [scheme](std::string_view entry) {
        return entry.size() == scheme.size() && std::equal(entry.begin(), entry.end(), scheme.begin(),
                                                           [](char e, char c) { return e == ToLowerAscii(c); });
    });
}

// A byte that no target may hold. Working byte by byte is safe on GBK: a second byte is never below
// 0x40, so it is never a control character, a space or a double quote.
bool IsRefusedByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F || c == '"';
}

// The most UTF-8 bytes the GBK text can become: a two-byte character is at most three.
std::size_t Utf8BytesAtMost(std::string_view gbk)
{
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < gbk.size(); ++i) {
        if (static_cast<unsigned char>(gbk[i]) >= 0x80) {
            bytes += 3;
            ++i;
        } else {
            ++bytes;
        }
    }
    return bytes;
}

} // namespace

// Decided without building the form: the pointer asks at every move, over targets of any length.
bool IsOpenableTarget(std::string_view target)
{
    const std::size_t colon = target.find(':');
    if (colon == std::string_view::npos)
        return false;
    const std::string_view scheme = target.substr(0, colon);
    if (!Holds(kOpenableSchemes, scheme) || std::any_of(target.begin(), target.end(), IsRefusedByte))
        return false;
    const auto spaces = static_cast<std::size_t>(std::count(target.begin(), target.end(), ' '));
    if (spaces > 0 && !Holds(kSpaceEncodingSchemes, scheme))
        return false;
    // Each space becomes the three bytes "%20".
    return Utf8BytesAtMost(target) + 2 * spaces <= kMaxTargetUtf8Bytes;
}

std::optional<std::string> OpenableForm(std::string_view target)
{
    if (!IsOpenableTarget(target))
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

} // namespace korimbo
