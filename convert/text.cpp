#include "convert/text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "convert/buffer.h"
#include "convert/runtime.h"

namespace korimbo {
namespace {

bool IsLeadByte(char byte)
{
    return static_cast<unsigned char>(byte) >= 0x80;
}

std::uint64_t Load64(const char *p)
{
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

} // namespace

AnsiText::AnsiText(const char *zeroTerminated)
    : AnsiText(zeroTerminated ? std::string_view(zeroTerminated) : std::string_view())
{
}

AnsiText::AnsiText(std::string_view bytes)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    bytes_ = detail::MakeBuffer(bytes.size());
    std::copy(bytes.begin(), bytes.end(), bytes_.begin());
}

AnsiText::AnsiText(std::string &&bytes)
{
    const std::size_t zero = bytes.find('\0');
    if (zero != std::string::npos)
        bytes.resize(zero);
    if (bytes.size() > detail::kMaxLength)
        FatalAllocationError(bytes.size());
    bytes_ = std::move(bytes);
}

int TextLength(const AnsiText &text)
{
    return static_cast<int>(text.bytes().size());
}

AnsiText TextLeft(const AnsiText &text, int n)
{
    if (n <= 0)
        return {};
    return AnsiText(text.bytes().substr(0, static_cast<std::size_t>(n)));
}

AnsiText TextRight(const AnsiText &text, int n)
{
    if (n <= 0)
        return {};
    const std::string_view bytes = text.bytes();
    const std::size_t count = std::min(bytes.size(), static_cast<std::size_t>(n));
    return AnsiText(bytes.substr(bytes.size() - count));
}

int FindText(const AnsiText &text, const AnsiText &what)
{
    const std::size_t found = detail::FindInBytes(text.bytes(), what.bytes());
    return found == std::string_view::npos ? -1 : static_cast<int>(found) + 1;
}

namespace detail {

std::size_t FindInBytes(std::string_view haystack, std::string_view needle)
{
    if (needle.empty())
        return haystack.empty() ? std::string_view::npos : 0;
    // Candidates come from a plain byte search; a candidate counts only when the character walk
    // lands on it, so a match never starts on the second byte of a two-byte character.
    std::size_t boundary = 0;
    for (std::size_t candidate = haystack.find(needle); candidate != std::string_view::npos;
         candidate = haystack.find(needle, candidate + 1)) {
        // Eight bytes at a time while none of them is a lead byte.
        while (boundary + 8 <= candidate && (Load64(haystack.data() + boundary) & 0x8080808080808080u) == 0)
            boundary += 8;
        while (boundary < candidate)
            boundary += IsLeadByte(haystack[boundary]) ? 2 : 1;
        if (boundary == candidate)
            return candidate;
    }
    return std::string_view::npos;
}

AnsiText AdoptText(std::string &&bytes)
{
    if (bytes.size() > kMaxLength)
        FatalAllocationError(bytes.size());
    AnsiText text;
    text.bytes_ = std::move(bytes);
    return text;
}

} // namespace detail

AnsiText RemoveAllSpaces(const AnsiText &text)
{
    const std::string_view in = text.bytes();
    std::string out = detail::MakeBuffer(in.size());
    std::size_t written = 0;
    for (std::size_t i = 0; i < in.size();) {
        const char byte = in[i];
        if (!IsLeadByte(byte)) {
            if (byte != ' ')
                out[written++] = byte;
            ++i;
        } else if (i + 1 == in.size()) {
            break; // a lone lead byte at the end is dropped
        } else {
            const char trail = in[i + 1];
            if (byte != '\xA1' || trail != '\xA1') { // A1 A1 is the full-width space
                out[written++] = byte;
                out[written++] = trail;
            }
            i += 2;
        }
    }
    out.resize(written);
    return AnsiText(std::move(out));
}

AnsiText ReplaceSubtext(const AnsiText &text, const AnsiText &subtext, const AnsiText &replacement)
{
    const std::string_view in = text.bytes();
    const std::string_view sub = subtext.bytes();
    const std::string_view with = replacement.bytes();
    if (in.empty() || sub.empty())
        return text;
    std::string out;
    std::size_t i = 0;
    try {
        out.reserve(in.size());
        while (in.size() - i >= sub.size()) {
            if (in.compare(i, sub.size(), sub) == 0) {
                out.append(with);
                i += sub.size();
            } else if (IsLeadByte(in[i])) {
                if (i + 1 == in.size()) {
                    i = in.size(); // a lone lead byte at the end is dropped
                    break;
                }
                out.append(in.substr(i, 2));
                i += 2;
            } else {
                out.push_back(in[i++]);
            }
        }
        out.append(in.substr(i));
    } catch (const std::bad_alloc &) {
        FatalAllocationError(out.size() + in.size() - i);
    }
    return AnsiText(std::move(out));
}

int CharCodeAt(const AnsiText &text, int position)
{
    const std::string_view bytes = text.bytes();
    const long long index = static_cast<long long>(position) - 1;
    if (index < 0 || index >= static_cast<long long>(bytes.size()))
        return 0;
    return static_cast<signed char>(bytes[static_cast<std::size_t>(index)]);
}

int CharCodeAt(const AnsiText &text)
{
    return CharCodeAt(text, 1);
}

AnsiText CharFromCode(std::uint8_t code)
{
    const char byte = static_cast<char>(code);
    return AnsiText(std::string_view(&byte, 1));
}

int CompareText(const AnsiText &a, const AnsiText &b)
{
    const std::string_view x = a.bytes();
    const std::string_view y = b.bytes();
    const std::size_t common = std::min(x.size(), y.size());
    const int order = common == 0 ? 0 : std::memcmp(x.data(), y.data(), common);
    if (order != 0)
        return order < 0 ? -1 : 1;
    if (x.size() == y.size())
        return 0;
    return x.size() < y.size() ? -1 : 1;
}

namespace detail {

AnsiText ConcatViews(std::initializer_list<std::string_view> parts)
{
    return AnsiText(JoinViews(parts));
}

} // namespace detail
} // namespace korimbo
