#include "convert/base64_clean.h"

#include <cstdint>

#include "convert/base64_tables.h"

namespace korimbo::detail {
namespace {

// Whether one of the eight bytes in x is a space, a CR or a lead byte: the only bytes that
// RemoveAllSpaces and the CR LF removal act on. A byte of x ^ 0x20..20 or x ^ 0x0D..0D is zero where
// x holds a space or a CR; (y - 0x01..01) & ~y sets the high bit of a zero byte of y (and maybe of
// bytes above it, but only when a lower one is zero already), and the high bit of x marks a lead byte.
bool BlockNeedsCleaning(std::uint64_t x)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    const std::uint64_t space = x ^ (kOnes * ' ');
    const std::uint64_t cr = x ^ (kOnes * '\r');
    return ((((space - kOnes) & ~space) | ((cr - kOnes) & ~cr) | x) & (kOnes * 0x80)) != 0;
}

bool ByteNeedsCleaning(unsigned char byte)
{
    return byte == ' ' || byte == '\r' || byte >= 0x80;
}

} // namespace

bool NeedsCleaning(std::string_view text)
{
    const auto *p = reinterpret_cast<const unsigned char *>(text.data());
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        if (BlockNeedsCleaning(Load64(p + i)))
            return true;
    }
    for (; i < text.size(); ++i) {
        if (ByteNeedsCleaning(p[i]))
            return true;
    }
    return false;
}

Cleaner::Cleaner(std::string_view text) noexcept
    : text_(reinterpret_cast<const unsigned char *>(text.data())), size_(text.size())
{
}

// The text is walked by characters as RemoveAllSpaces walks it; a CR LF pair is removed when the LF
// is the next character kept after a CR that stands alone and has not been removed already, the
// spaces between them being gone first.
std::size_t Cleaner::Fill(unsigned char *buffer, std::size_t written, std::size_t capacity)
{
    const unsigned char *in = text_;
    const std::size_t n = size_;
    std::size_t i = next_;
    bool afterLoneCr = afterLoneCr_;
    while (i < n && written + 2 <= capacity) {
        if (!afterLoneCr && i + 8 <= n && written + 8 <= capacity) {
            const std::uint64_t block = Load64(in + i);
            if (!BlockNeedsCleaning(block)) {
                Store64(buffer + written, block);
                written += 8;
                i += 8;
                continue;
            }
        }
        const unsigned char byte = in[i];
        if (byte < 0x80) {
            ++i;
            if (byte == ' ')
                continue;
            if (byte == '\n' && afterLoneCr) {
                --written;
                afterLoneCr = false;
                continue;
            }
            buffer[written++] = byte;
            afterLoneCr = byte == '\r';
        } else if (i + 1 == n) {
            ++i; // a lone lead byte at the end is dropped
        } else {
            const unsigned char trail = in[i + 1];
            i += 2;
            if (byte == 0xA1 && trail == 0xA1)
                continue; // the full-width space
            buffer[written++] = byte;
            buffer[written++] = trail;
            afterLoneCr = false;
        }
    }
    next_ = i;
    afterLoneCr_ = afterLoneCr;
    return written;
}

} // namespace korimbo::detail
