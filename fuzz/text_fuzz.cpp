// The three operations that step over two-byte characters, against versions written byte by byte
// as their steps read. The input is split at zero bytes into the text, the text to find or
// replace, and the replacement.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "convert/text.h"
#include "fuzz_check.h"

namespace {

using namespace korimbo;
using fuzz::Check;

bool IsLead(char byte)
{
    return static_cast<unsigned char>(byte) >= 0x80;
}

bool MatchesAt(std::string_view text, long i, std::string_view what)
{
    return std::memcmp(text.data() + i, what.data(), what.size()) == 0;
}

int ReferenceFind(std::string_view text, std::string_view what)
{
    const long l = static_cast<long>(text.size());
    const long m = static_cast<long>(what.size());
    if (m == 0)
        return l > 0 ? 1 : -1;
    long i = 0;
    long r = l;
    while (r >= m) {
        if (MatchesAt(text, i, what))
            return static_cast<int>(i) + 1;
        if (IsLead(text[static_cast<std::size_t>(i)])) {
            if (i + 1 == l)
                return -1;
            ++i;
            --r;
        }
        ++i;
        --r;
    }
    return -1;
}

std::string ReferenceRemoveAllSpaces(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char byte = text[i];
        if (!IsLead(byte)) {
            if (byte != ' ')
                out += byte;
        } else if (i + 1 == text.size()) {
            break;
        } else if (byte == '\xA1' && text[i + 1] == '\xA1') {
            ++i;
        } else {
            out += byte;
            out += text[++i];
        }
    }
    return out;
}

std::string ReferenceReplace(std::string_view text, std::string_view sub, std::string_view with)
{
    const long l = static_cast<long>(text.size());
    const long m = static_cast<long>(sub.size());
    if (l == 0 || m == 0)
        return std::string(text);
    std::string out;
    long i = 0;
    long r = l;
    while (r >= m) {
        if (MatchesAt(text, i, sub)) {
            out += with;
            i += m;
            r -= m;
        } else if (IsLead(text[static_cast<std::size_t>(i)])) {
            if (i + 1 == l)
                return out; // the lone lead byte is dropped and nothing follows it
            out += text.substr(static_cast<std::size_t>(i), 2);
            i += 2;
            r -= 2;
        } else {
            out += text[static_cast<std::size_t>(i)];
            ++i;
            --r;
        }
    }
    out += text.substr(static_cast<std::size_t>(i));
    return out;
}

bool HoldsZeroByte(const AnsiText &text)
{
    return text.bytes().find('\0') != std::string_view::npos;
}

// No space and no full-width space starts a character, and no lone lead byte ends the text.
bool SpaceFree(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ')
            return false;
        if (IsLead(text[i])) {
            if (i + 1 == text.size() || (text[i] == '\xA1' && text[i + 1] == '\xA1'))
                return false;
            ++i;
        }
    }
    return true;
}

// The next part of the input, up to a zero byte or the end.
std::string_view NextPart(std::string_view &input)
{
    const std::size_t zero = input.find('\0');
    const std::string_view part = input.substr(0, zero);
    input = zero == std::string_view::npos ? std::string_view() : input.substr(zero + 1);
    return part;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char *>(data), size);
    const AnsiText text(NextPart(input));
    const AnsiText what(NextPart(input));
    const AnsiText with(NextPart(input));

    const int found = FindText(text, what);
    Check(found == ReferenceFind(text.bytes(), what.bytes()), "FindText agrees with its steps");

    const AnsiText spaceless = RemoveAllSpaces(text);
    Check(spaceless.bytes() == ReferenceRemoveAllSpaces(text.bytes()), "RemoveAllSpaces agrees with its steps");
    Check(!HoldsZeroByte(spaceless), "RemoveAllSpaces output holds no zero byte");
    Check(SpaceFree(spaceless.bytes()), "RemoveAllSpaces leaves no space at a character start");
    Check(RemoveAllSpaces(spaceless) == spaceless, "RemoveAllSpaces has nothing left to remove");

    const AnsiText replaced = ReplaceSubtext(text, what, with);
    Check(replaced.bytes() == ReferenceReplace(text.bytes(), what.bytes(), with.bytes()),
          "ReplaceSubtext agrees with its steps");
    Check(!HoldsZeroByte(replaced), "ReplaceSubtext output holds no zero byte");
    const AnsiText deleted = ReplaceSubtext(text, what);
    Check(deleted.bytes() == ReferenceReplace(text.bytes(), what.bytes(), {}), "ReplaceSubtext deletes by default");
    return 0;
}
