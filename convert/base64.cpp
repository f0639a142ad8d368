#include "convert/base64.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "convert/buffer.h"
#include "convert/runtime.h"

namespace korimbo {
namespace {

constexpr bool kLittleEndian = std::endian::native == std::endian::little;

// kPairs[v]: the two characters for the 12-bit value v, in memory order.
constexpr std::array<std::uint16_t, 4096> MakePairTable()
{
    std::array<std::uint16_t, 4096> pairs{};
    for (std::uint32_t v = 0; v < 4096; ++v) {
        const auto first = static_cast<unsigned char>(kBase64Alphabet[v >> 6]);
        const auto second = static_cast<unsigned char>(kBase64Alphabet[v & 63]);
        pairs[v] = static_cast<std::uint16_t>(kLittleEndian ? first | (second << 8) : (first << 8) | second);
    }
    return pairs;
}

constexpr auto kPairs = MakePairTable();

constexpr std::uint32_t kInvalid = 0x80000000u;

// kDecode[k][c]: the value of character c placed for position k of a group (shifted by
// 18, 12, 6, 0 bits), or kInvalid for a character outside the alphabet. The byte 0, which only
// stands for a position beyond the end, reads as "A".
constexpr std::array<std::array<std::uint32_t, 256>, 4> MakeDecodeTables()
{
    std::array<std::array<std::uint32_t, 256>, 4> tables{};
    for (int k = 0; k < 4; ++k) {
        for (auto &entry : tables[k])
            entry = kInvalid;
        for (std::uint32_t value = 0; value < 64; ++value)
            tables[k][static_cast<unsigned char>(kBase64Alphabet[value])] = value << (18 - 6 * k);
        tables[k][0] = 0;
    }
    return tables;
}

constexpr auto kDecode = MakeDecodeTables();

std::uint64_t Load64(const unsigned char *p)
{
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

void Store64(unsigned char *p, std::uint64_t v)
{
    std::memcpy(p, &v, sizeof v);
}

// The 24 bits of one decoded group of four characters, kInvalid set when one of them is outside
// the alphabet.
std::uint32_t DecodeGroup(const unsigned char *group)
{
    return kDecode[0][group[0]] | kDecode[1][group[1]] | kDecode[2][group[2]] | kDecode[3][group[3]];
}

void StoreGroup(unsigned char *dst, std::uint32_t v)
{
    dst[0] = static_cast<unsigned char>(v >> 16);
    dst[1] = static_cast<unsigned char>(v >> 8);
    dst[2] = static_cast<unsigned char>(v);
}

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

// Whether cleaning could change the text.
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

// ReplaceSubtext(RemoveAllSpaces(text), "\r\n") in one pass. The text is walked by characters as
// RemoveAllSpaces walks it; a CR LF pair is removed when the LF is the next character kept after
// a CR that stands alone and has not been removed already, spaces between them being gone first.
std::string Cleaned(std::string_view text)
{
    std::string out = detail::MakeBuffer(text.size());
    const auto *in = reinterpret_cast<const unsigned char *>(text.data());
    auto *dst = reinterpret_cast<unsigned char *>(out.data());
    const std::size_t n = text.size();
    std::size_t written = 0;
    bool afterLoneCr = false;
    for (std::size_t i = 0; i < n;) {
        if (!afterLoneCr && i + 8 <= n) {
            const std::uint64_t block = Load64(in + i);
            if (!BlockNeedsCleaning(block)) {
                Store64(dst + written, block);
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
            dst[written++] = byte;
            afterLoneCr = byte == '\r';
        } else if (i + 1 == n) {
            break; // a lone lead byte at the end is dropped
        } else {
            const unsigned char trail = in[i + 1];
            i += 2;
            if (byte == 0xA1 && trail == 0xA1)
                continue; // the full-width space
            dst[written++] = byte;
            dst[written++] = trail;
            afterLoneCr = false;
        }
    }
    out.erase(written);
    return out;
}

} // namespace

AnsiText Base64Encode(const ByteSet &data)
{
    const std::string_view in = data.bytes();
    if (in.empty())
        return {};
    const std::size_t groups = (in.size() + 2) / 3;
    std::string out = detail::MakeBuffer(groups * 4);
    const auto *src = reinterpret_cast<const unsigned char *>(in.data());
    auto *dst = reinterpret_cast<unsigned char *>(out.data());
    std::size_t i = 0;
    if constexpr (kLittleEndian) {
        // Six bytes (two groups) per step, read as one big-endian number of which the top 48 bits
        // make four 12-bit character pairs. The load reads two bytes beyond the six.
        for (; i + 8 <= in.size(); i += 6, dst += 8) {
            const std::uint64_t x = __builtin_bswap64(Load64(src + i));
            Store64(dst, std::uint64_t{kPairs[x >> 52]} | (std::uint64_t{kPairs[(x >> 40) & 0xFFF]} << 16) |
                             (std::uint64_t{kPairs[(x >> 28) & 0xFFF]} << 32) |
                             (std::uint64_t{kPairs[(x >> 16) & 0xFFF]} << 48));
        }
    }
    for (; i + 3 <= in.size(); i += 3, dst += 4) {
        const std::uint32_t v = (std::uint32_t{src[i]} << 16) | (std::uint32_t{src[i + 1]} << 8) | src[i + 2];
        dst[0] = static_cast<unsigned char>(kBase64Alphabet[v >> 18]);
        dst[1] = static_cast<unsigned char>(kBase64Alphabet[(v >> 12) & 63]);
        dst[2] = static_cast<unsigned char>(kBase64Alphabet[(v >> 6) & 63]);
        dst[3] = static_cast<unsigned char>(kBase64Alphabet[v & 63]);
    }
    if (const std::size_t rest = in.size() - i; rest > 0) {
        // The last group is padded with zero bytes; "=" replaces the characters they alone make.
        const std::uint32_t v = (std::uint32_t{src[i]} << 16) | (rest == 2 ? std::uint32_t{src[i + 1]} << 8 : 0);
        dst[0] = static_cast<unsigned char>(kBase64Alphabet[v >> 18]);
        dst[1] = static_cast<unsigned char>(kBase64Alphabet[(v >> 12) & 63]);
        dst[2] = static_cast<unsigned char>(rest == 2 ? kBase64Alphabet[(v >> 6) & 63] : '=');
        dst[3] = '=';
    }
    return AnsiText(std::move(out));
}

ByteSet Base64Decode(const AnsiText &text)
{
    std::string_view t = text.bytes();
    // Cleaning only shortens the text, so the output fits in the room of the uncleaned text.
    std::string out = detail::MakeBuffer((t.size() + 3) / 4 * 3);
    auto *dst = reinterpret_cast<unsigned char *>(out.data());
    const unsigned char *src = reinterpret_cast<const unsigned char *>(t.data());
    std::size_t n = t.size();
    std::size_t base = 0;

    // The four slots outlive a group: a group that ends early keeps the later slots' values
    // from the group before. A group decoded on the fast path fills them only on demand.
    std::uint32_t slots[4] = {0, 0, 0, 0};
    bool slotsFromPreviousGroup = false;
    int stop = 0;
    // The cleaning of the text is put off until a group cannot be decoded on the fast path: up to
    // there the text holds alphabet characters only, which the cleaning leaves as they are, so
    // cleaning the rest from there on gives the same text as cleaning the whole.
    std::string cleaned;
    bool cleaningChecked = false;

    for (;;) {
        const std::size_t runStart = base;
        for (; base + 4 <= n; base += 4, dst += 3) {
            const std::uint32_t v = DecodeGroup(src + base);
            if ((v & kInvalid) != 0)
                break;
            StoreGroup(dst, v);
            ProcessPendingEvents();
        }
        if (base != runStart) {
            slotsFromPreviousGroup = true;
            stop = 5;
        }
        if (base >= n)
            break;
        if (slotsFromPreviousGroup) {
            for (int k = 0; k < 4; ++k)
                slots[k] = kDecode[k][src[base - 4 + k]] >> (18 - 6 * k);
            slotsFromPreviousGroup = false;
        }
        if (!cleaningChecked) {
            cleaningChecked = true;
            const std::string_view rest = t.substr(base);
            if (NeedsCleaning(rest)) {
                cleaned = Cleaned(rest);
                t = cleaned;
                src = reinterpret_cast<const unsigned char *>(t.data());
                n = t.size();
                base = 0;
                continue;
            }
        }
        // A group that ends early, or the last group when it is short.
        stop = 5;
        for (int k = 0; k < 4; ++k) {
            const unsigned char c = base + k < n ? src[base + k] : 0;
            const std::uint32_t placed = kDecode[k][c];
            if (placed == kInvalid) {
                slots[k] = c;
                stop = k + 1;
                break;
            }
            slots[k] = placed >> (18 - 6 * k);
        }
        dst[0] = static_cast<unsigned char>((slots[0] << 2) | (slots[1] >> 4));
        dst[1] = static_cast<unsigned char>((slots[1] << 4) | (slots[2] >> 2));
        dst[2] = static_cast<unsigned char>((slots[2] << 6) | slots[3]);
        dst += 3;
        base += 4;
        ProcessPendingEvents();
    }

    const std::size_t written = static_cast<std::size_t>(dst - reinterpret_cast<unsigned char *>(out.data()));
    const std::size_t drop = stop < 5 ? static_cast<std::size_t>(5 - stop) : 0;
    out.erase(written > drop ? written - drop : 0);
    return ByteSet(std::move(out));
}

} // namespace korimbo
