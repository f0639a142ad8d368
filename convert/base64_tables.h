#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "convert/base64.h"

// Lookup tables and word access for the scalar codec. Internal to the core.
namespace korimbo::detail {

inline constexpr bool kLittleEndian = std::endian::native == std::endian::little;

// kBase64Pairs[v]: the two characters for the 12-bit value v, in memory order.
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

inline constexpr auto kBase64Pairs = MakePairTable();

inline constexpr std::uint32_t kInvalid = 0x80000000u;

// kBase64Placed[k][c]: the value of character c placed for position k of a group (shifted by 18,
// 12, 6, 0 bits), or kInvalid for a byte outside the alphabet, the byte 0 included.
constexpr std::array<std::array<std::uint32_t, 256>, 4> MakePlacedTables()
{
    std::array<std::array<std::uint32_t, 256>, 4> tables{};
    for (int k = 0; k < 4; ++k) {
        for (auto &entry : tables[k])
            entry = kInvalid;
        for (std::uint32_t value = 0; value < 64; ++value)
            tables[k][static_cast<unsigned char>(kBase64Alphabet[value])] = value << (18 - 6 * k);
    }
    return tables;
}

inline constexpr auto kBase64Placed = MakePlacedTables();

inline std::uint64_t Load64(const unsigned char *p)
{
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void Store64(unsigned char *p, std::uint64_t v)
{
    std::memcpy(p, &v, sizeof v);
}

// The 24 bits of one group of four characters, with kInvalid set when one of them is outside the
// alphabet.
inline std::uint32_t DecodeGroup(const unsigned char *group)
{
    return kBase64Placed[0][group[0]] | kBase64Placed[1][group[1]] | kBase64Placed[2][group[2]] |
           kBase64Placed[3][group[3]];
}

inline void StoreGroup(unsigned char *dst, std::uint32_t v)
{
    dst[0] = static_cast<unsigned char>(v >> 16);
    dst[1] = static_cast<unsigned char>(v >> 8);
    dst[2] = static_cast<unsigned char>(v);
}

} // namespace korimbo::detail
