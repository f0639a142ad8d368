#include "convert/base64.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/buffer.h"
#include "convert/runtime.h"

namespace korimbo {
namespace {

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

// Whether RemoveAllSpaces and the CR LF removal could change the text: only a space, a CR or a
// lead byte can be touched by them.
bool NeedsCleaning(std::string_view text)
{
    bool found = false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        found |= (byte == ' ') | (byte == '\r') | (byte >= 0x80);
    }
    return found;
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
    char *dst = out.data();
    std::size_t i = 0;
    for (; i + 3 <= in.size(); i += 3, dst += 4) {
        const std::uint32_t v = (std::uint32_t{src[i]} << 16) | (std::uint32_t{src[i + 1]} << 8) | src[i + 2];
        dst[0] = kBase64Alphabet[v >> 18];
        dst[1] = kBase64Alphabet[(v >> 12) & 63];
        dst[2] = kBase64Alphabet[(v >> 6) & 63];
        dst[3] = kBase64Alphabet[v & 63];
    }
    if (const std::size_t rest = in.size() - i; rest > 0) {
        // The last group is padded with zero bytes; "=" replaces the characters they alone make.
        const std::uint32_t v = (std::uint32_t{src[i]} << 16) | (rest == 2 ? std::uint32_t{src[i + 1]} << 8 : 0);
        dst[0] = kBase64Alphabet[v >> 18];
        dst[1] = kBase64Alphabet[(v >> 12) & 63];
        dst[2] = rest == 2 ? kBase64Alphabet[(v >> 6) & 63] : '=';
        dst[3] = '=';
    }
    return AnsiText(std::move(out));
}

ByteSet Base64Decode(const AnsiText &text)
{
    AnsiText cleaned;
    std::string_view t = text.bytes();
    if (NeedsCleaning(t)) {
        cleaned = ReplaceSubtext(RemoveAllSpaces(text), "\r\n");
        t = cleaned.bytes();
    }
    const std::size_t n = t.size();
    const std::size_t groups = n / 4 + (n % 4 != 0 ? 1 : 0);
    std::string out = detail::MakeBuffer(groups * 3);
    const auto *src = reinterpret_cast<const unsigned char *>(t.data());
    auto *dst = reinterpret_cast<unsigned char *>(out.data());

    // The four slots outlive a group: a group that ends early keeps the later slots' values
    // from the group before. A group decoded on the fast path fills them only on demand.
    std::uint32_t slots[4] = {0, 0, 0, 0};
    bool slotsFromPreviousGroup = false;
    int stop = 0;

    for (std::size_t g = 0; g < groups; ++g, dst += 3) {
        const std::size_t base = g * 4;
        stop = 5;
        if (base + 4 <= n) {
            const std::uint32_t v = kDecode[0][src[base]] | kDecode[1][src[base + 1]] | kDecode[2][src[base + 2]] |
                                    kDecode[3][src[base + 3]];
            if ((v & kInvalid) == 0) {
                dst[0] = static_cast<unsigned char>(v >> 16);
                dst[1] = static_cast<unsigned char>(v >> 8);
                dst[2] = static_cast<unsigned char>(v);
                slotsFromPreviousGroup = true;
                ProcessPendingEvents();
                continue;
            }
        }
        if (slotsFromPreviousGroup) {
            for (int k = 0; k < 4; ++k)
                slots[k] = kDecode[k][src[base - 4 + k]] >> (18 - 6 * k);
            slotsFromPreviousGroup = false;
        }
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
        ProcessPendingEvents();
    }

    const std::size_t drop = stop < 5 ? static_cast<std::size_t>(5 - stop) : 0;
    out.resize(out.size() > drop ? out.size() - drop : 0);
    return ByteSet(std::move(out));
}

} // namespace korimbo
