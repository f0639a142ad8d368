#pragma once

#include <initializer_list>
#include <string>

#include "convert/bytes.h"
#include "convert/text.h"

// Builders for test values written as byte lists, e.g. Text({0xB0, 0xC1, 0x41}).
namespace korimbo::test {

inline std::string Raw(std::initializer_list<int> bytes)
{
    std::string raw;
    for (const int byte : bytes)
        raw.push_back(static_cast<char>(byte));
    return raw;
}

inline AnsiText Text(std::initializer_list<int> bytes)
{
    return AnsiText(Raw(bytes));
}
inline ByteSet Bytes(std::initializer_list<int> bytes)
{
    return ByteSet(Raw(bytes));
}

// Prints values as hexadecimal bytes in failure messages.
inline std::string Hex(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (!out.empty())
            out += ' ';
        out += digits[byte >> 4];
        out += digits[byte & 15];
    }
    return out;
}

} // namespace korimbo::test

namespace korimbo {
inline void PrintTo(const AnsiText &text, std::ostream *os)
{
    *os << "text[" << test::Hex(text.bytes()) << "]";
}
inline void PrintTo(const ByteSet &set, std::ostream *os)
{
    *os << "bytes[" << test::Hex(set.bytes()) << "]";
}
} // namespace korimbo
