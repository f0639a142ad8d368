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

std::optional<std::string> Fitting(std::string form)
{
    if (Utf8BytesAtMost(form) > kMaxTargetUtf8Bytes)
        return std::nullopt;
    return form;
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
        return Fitting(std::string(target));
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
    return Fitting(std::move(form));
}

bool IsOpenableTarget(std::string_view target)
{
    return OpenableForm(target).has_value();
}

} // namespace korimbo
