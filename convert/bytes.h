#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "convert/text.h"

// Counted byte sequences that may hold zero bytes, and the operations on them. Single bytes are
// reached with ElementAt, 1-based and bounds-tested. No operation changes its arguments.
namespace korimbo {

// A run of bytes, zero bytes included. The empty set also stands for a missing one.
class ByteSet
{
  public:
    ByteSet() = default;
    explicit ByteSet(std::string_view bytes);
    explicit ByteSet(std::string &&bytes);

    std::string_view bytes() const noexcept { return bytes_; }

    friend bool operator==(const ByteSet &, const ByteSet &) = default;
    friend std::uint8_t &ElementAt(ByteSet &set, int index);

  private:
    std::string bytes_;
};

// The number of bytes.
int BytesLength(const ByteSet &set);

// The first max(0, min(n, length)) bytes.
ByteSet BytesLeft(const ByteSet &set, int n);

// n zero bytes; empty for n <= 0.
ByteSet BlankBytes(int n);

// The text's bytes.
ByteSet ToBytes(const AnsiText &text);

// The bytes before the first zero byte (all of them when none is zero).
AnsiText ToText(const ByteSet &set);

// The byte at the 1-based index, for reading or writing. An index below 1 is fatal error 4, an
// index above the length fatal error 1.
std::uint8_t ElementAt(const ByteSet &set, int index);
std::uint8_t &ElementAt(ByteSet &set, int index);

namespace detail {
ByteSet ConcatByteViews(std::initializer_list<std::string_view> parts);
// Raises the fatal error for an index outside 1 to `length`.
void CheckIndex(int index, std::size_t length);
} // namespace detail

// The byte sets joined in argument order.
template <class... Sets> ByteSet ConcatBytes(const Sets &...parts)
{
    return detail::ConcatByteViews({std::string_view(parts.bytes())...});
}

// The elements of a fixed-size byte array, in order.
template <std::size_t N> ByteSet ToBytes(const std::array<std::uint8_t, N> &array)
{
    return ByteSet(std::string_view(reinterpret_cast<const char *>(array.data()), N));
}

// An element of a fixed-size byte array, under the same bounds test as a ByteSet's.
template <std::size_t N> std::uint8_t &ElementAt(std::array<std::uint8_t, N> &array, int index)
{
    detail::CheckIndex(index, N);
    return array[static_cast<std::size_t>(index - 1)];
}

} // namespace korimbo
