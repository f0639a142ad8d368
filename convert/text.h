#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// Texts in the GBK code page and the operations on them. Lengths and positions count bytes and
// positions start at 1. No operation changes its arguments; each returns a new value.
//
// Only FindText, RemoveAllSpaces and ReplaceSubtext know about two-byte characters: a byte of
// 0x80 or above (a lead byte) forms one character with the byte after it, unless it is the last
// byte of the text. Every other operation counts single bytes.
namespace korimbo {

class AnsiText;
namespace detail {
// The bytes as a text without looking for a zero byte: for bytes known to hold none. Reports a
// length above 2^31 - 1 as a failed allocation.
AnsiText AdoptText(std::string &&bytes);
} // namespace detail

// A GBK text: a run of non-zero bytes. The empty text also stands for a missing one.
class AnsiText
{
  public:
    AnsiText() = default;
    // From a zero-terminated string; nullptr gives the empty text.
    AnsiText(const char *zeroTerminated);
    // From raw bytes: the text ends before the first zero byte, if there is one.
    explicit AnsiText(std::string_view bytes);
    explicit AnsiText(std::string &&bytes);

    std::string_view bytes() const noexcept { return bytes_; }
    const char *c_str() const noexcept { return bytes_.c_str(); }
    bool empty() const noexcept { return bytes_.empty(); }

    friend bool operator==(const AnsiText &, const AnsiText &) = default;
    friend AnsiText detail::AdoptText(std::string &&bytes);

  private:
    std::string bytes_;
};

// Number of bytes; 0 for the empty text.
int TextLength(const AnsiText &text);

// The first min(n, length) bytes; empty for n <= 0.
AnsiText TextLeft(const AnsiText &text, int n);

// The last min(n, length) bytes; empty for n <= 0.
AnsiText TextRight(const AnsiText &text, int n);

// 1-based position of the first occurrence of `what` that starts on a character boundary,
// or -1. An empty `what` is found at 1 in a non-empty text and nowhere in the empty text.
int FindText(const AnsiText &text, const AnsiText &what);

// The text without ASCII spaces and full-width spaces (A1 A1). A lead byte at the very end is
// dropped; tab, CR and LF stay.
AnsiText RemoveAllSpaces(const AnsiText &text);

// Every occurrence of `subtext` that starts on a character boundary replaced by `replacement`
// (deleted when it is omitted). Replaced text is not searched again.
AnsiText ReplaceSubtext(const AnsiText &text, const AnsiText &subtext, const AnsiText &replacement = {});

// The byte at the 1-based position as a signed 8-bit value (-128 to 127); 0 outside the text.
int CharCodeAt(const AnsiText &text, int position);
// The first byte as a signed 8-bit value; 0 for the empty text.
int CharCodeAt(const AnsiText &text);

// The one-byte text holding `code`; the empty text for 0.
AnsiText CharFromCode(std::uint8_t code);

// -1, 0 or 1 as `a` sorts before, equal to or after `b`, comparing unsigned bytes; a prefix
// sorts first.
int CompareText(const AnsiText &a, const AnsiText &b);

namespace detail {
// FindText on bytes that hold no zero byte, with a 0-based result: npos where FindText gives -1.
std::size_t FindInBytes(std::string_view haystack, std::string_view needle);
AnsiText ConcatViews(std::initializer_list<std::string_view> parts);
inline std::string_view ViewOf(const AnsiText &text)
{
    return text.bytes();
}
inline std::string_view ViewOf(const char *zeroTerminated)
{
    return zeroTerminated ? std::string_view(zeroTerminated) : std::string_view();
}
} // namespace detail

// The texts (AnsiText values or string literals) joined in argument order.
template <class... Texts> AnsiText ConcatText(const Texts &...parts)
{
    return detail::ConcatViews({detail::ViewOf(parts)...});
}

} // namespace korimbo
