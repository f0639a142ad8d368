// The codec's inner loops with AVX2, 24 bytes to 32 characters and back per step, after the
// published vector method of Wojciech Muła and Daniel Lemire. Compiled for AVX2 by function
// attributes only; codec_path_x86.cpp calls them only on processors that have it.
#include <immintrin.h>

#include "convert/base64_kernels.h"

#define KORIMBO_AVX2 __attribute__((target("avx2")))

namespace korimbo::detail {
namespace {

// Four characters for each group of three bytes in the 24 bytes at src (which must have 28 bytes
// readable), written as 32 bytes.
KORIMBO_AVX2 inline void EncodeStep(const unsigned char *src, unsigned char *dst)
{
    // Each 128-bit lane gets 12 bytes, and each group of three is spread over four bytes as b1 b0 b2 b1.
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + 12));
    __m256i in = _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
    in = _mm256_shuffle_epi8(in, _mm256_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10, //
                                                  1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10));
    // The four 6-bit values of each group into the four bytes of its 32-bit word, in order: the
    // first and third by a high multiply (a right shift per 16 bits), the second and fourth by a
    // low multiply (a left shift per 16 bits).
    const __m256i first3rd =
        _mm256_mulhi_epu16(_mm256_and_si256(in, _mm256_set1_epi32(0x0FC0FC00)), _mm256_set1_epi32(0x04000040));
    const __m256i second4th =
        _mm256_mullo_epi16(_mm256_and_si256(in, _mm256_set1_epi32(0x003F03F0)), _mm256_set1_epi32(0x01000010));
    const __m256i values = _mm256_or_si256(first3rd, second4th);
    // Value to character: an offset chosen by range. 0-25 take index 13 ("A"), 26-51 index 0
    // ("a" - 26), 52-61 indexes 1-10 ("0" - 52), 62 and 63 indexes 11 and 12 ("+" - 62, "/" - 63).
    __m256i index = _mm256_subs_epu8(values, _mm256_set1_epi8(51));
    const __m256i below26 = _mm256_cmpgt_epi8(_mm256_set1_epi8(26), values);
    index = _mm256_or_si256(index, _mm256_and_si256(below26, _mm256_set1_epi8(13)));
    const __m256i offsets = _mm256_setr_epi8(71, -4, -4, -4, -4, -4, -4, -4, -4, -4, -4, -19, -16, 65, 0, 0, //
                                             71, -4, -4, -4, -4, -4, -4, -4, -4, -4, -4, -19, -16, 65, 0, 0);
    const __m256i text = _mm256_add_epi8(values, _mm256_shuffle_epi8(offsets, index));
    _mm256_storeu_si256(reinterpret_cast<__m256i *>(dst), text);
}

KORIMBO_AVX2 std::size_t EncodeAvx2(const unsigned char *src, std::size_t n, unsigned char *dst)
{
    std::size_t i = 0;
    for (; i + 52 <= n; i += 48, dst += 64) {
        EncodeStep(src + i, dst);
        EncodeStep(src + i + 24, dst + 32);
    }
    for (; i + 28 <= n; i += 24, dst += 32)
        EncodeStep(src + i, dst);
    return i;
}

// The values of 32 characters, and whether all of them are alphabet characters. A character is in
// the alphabet when the classes of its low and its high four bits share no bit.
KORIMBO_AVX2 inline bool Values(__m256i in, __m256i &values)
{
    const __m256i lowClasses = _mm256_setr_epi8(
        0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x13, 0x1A, 0x1B, 0x1B, 0x1B, 0x1A, //
        0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x13, 0x1A, 0x1B, 0x1B, 0x1B, 0x1A);
    const __m256i highClasses = _mm256_setr_epi8(
        0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, //
        0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10);
    // Character to value by its high four bits ("/" one place lower than the rest of its row).
    const __m256i shifts = _mm256_setr_epi8(0, 16, 19, 4, -65, -65, -71, -71, 0, 0, 0, 0, 0, 0, 0, 0, //
                                            0, 16, 19, 4, -65, -65, -71, -71, 0, 0, 0, 0, 0, 0, 0, 0);
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    const __m256i high = _mm256_and_si256(_mm256_srli_epi32(in, 4), nibble);
    const __m256i low = _mm256_and_si256(in, nibble);
    const __m256i clash =
        _mm256_and_si256(_mm256_shuffle_epi8(lowClasses, low), _mm256_shuffle_epi8(highClasses, high));
    const __m256i isSlash = _mm256_cmpeq_epi8(in, _mm256_set1_epi8('/'));
    values = _mm256_add_epi8(in, _mm256_shuffle_epi8(shifts, _mm256_add_epi8(isSlash, high)));
    return _mm256_testz_si256(clash, clash) != 0;
}

// The 24 bytes of eight groups of values, written as 32 bytes.
KORIMBO_AVX2 inline void StoreBytes(__m256i values, unsigned char *dst)
{
    // a b c d -> (a << 6 | b) and (c << 6 | d) per 16 bits -> the group's 24 bits per 32 bits.
    const __m256i pairs = _mm256_maddubs_epi16(values, _mm256_set1_epi32(0x01400140));
    const __m256i groups = _mm256_madd_epi16(pairs, _mm256_set1_epi32(0x00011000));
    const __m256i packed =
        _mm256_shuffle_epi8(groups, _mm256_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1, //
                                                     2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1));
    const __m256i joined = _mm256_permutevar8x32_epi32(packed, _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7));
    _mm256_storeu_si256(reinterpret_cast<__m256i *>(dst), joined);
}

KORIMBO_AVX2 std::size_t DecodeBlocksAvx2(const unsigned char *src, std::size_t n, unsigned char *dst)
{
    std::size_t i = 0;
    for (; i + 64 <= n; i += 64, dst += 48) {
        __m256i first, second;
        const bool firstClean = Values(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(src + i)), first);
        const bool secondClean = Values(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(src + i + 32)), second);
        if (!firstClean || !secondClean)
            break;
        StoreBytes(first, dst);
        StoreBytes(second, dst + 24);
    }
    for (; i + 32 <= n; i += 32, dst += 24) {
        __m256i values;
        if (!Values(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(src + i)), values))
            break;
        StoreBytes(values, dst);
    }
    return i;
}

} // namespace

extern const Base64Kernels kAvx2Kernels{EncodeAvx2, DecodeBlocksAvx2};

} // namespace korimbo::detail
