// Encoding: the scalar loops, the choice of the kernels and the public functions.
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

#include "convert/base64.h"
#include "convert/base64_kernels.h"
#include "convert/base64_tables.h"
#include "convert/buffer.h"

namespace korimbo {
namespace {

using detail::kBase64Pairs;

// Whole groups of three bytes, as many as there are.
std::size_t EncodeGroupsScalar(const unsigned char *src, std::size_t n, unsigned char *dst)
{
    std::size_t i = 0;
    if constexpr (detail::kLittleEndian) {
        // Six bytes (two groups) per step, read as one big-endian number of which the top 48 bits
        // make four 12-bit character pairs. The load reads two bytes beyond the six.
        for (; i + 8 <= n; i += 6, dst += 8) {
            const std::uint64_t x = __builtin_bswap64(detail::Load64(src + i));
            detail::Store64(dst, std::uint64_t{kBase64Pairs[x >> 52]} |
                                     (std::uint64_t{kBase64Pairs[(x >> 40) & 0xFFF]} << 16) |
                                     (std::uint64_t{kBase64Pairs[(x >> 28) & 0xFFF]} << 32) |
                                     (std::uint64_t{kBase64Pairs[(x >> 16) & 0xFFF]} << 48));
        }
    }
    for (; i + 3 <= n; i += 3, dst += 4) {
        const std::uint32_t v = (std::uint32_t{src[i]} << 16) | (std::uint32_t{src[i + 1]} << 8) | src[i + 2];
        dst[0] = static_cast<unsigned char>(kBase64Alphabet[v >> 18]);
        dst[1] = static_cast<unsigned char>(kBase64Alphabet[(v >> 12) & 63]);
        dst[2] = static_cast<unsigned char>(kBase64Alphabet[(v >> 6) & 63]);
        dst[3] = static_cast<unsigned char>(kBase64Alphabet[v & 63]);
    }
    return i;
}

} // namespace

namespace detail {

std::size_t ScalarDecodeBlocks(const unsigned char *src, std::size_t n, unsigned char *dst); // base64_decode.cpp

const Base64Kernels kScalarKernels{EncodeGroupsScalar, ScalarDecodeBlocks};

unsigned char *Base64EncodeTo(const unsigned char *src, std::size_t n, unsigned char *dst)
{
    std::size_t i = n >= 32 ? ActiveKernels().encode(src, n, dst) : 0;
    dst += i / 3 * 4;
    const std::size_t scalar = EncodeGroupsScalar(src + i, n - i, dst);
    i += scalar;
    dst += scalar / 3 * 4;
    if (const std::size_t rest = n - i; rest > 0) {
        // The last group is padded with zero bytes; "=" replaces the characters they alone make.
        const std::uint32_t v = (std::uint32_t{src[i]} << 16) | (rest == 2 ? std::uint32_t{src[i + 1]} << 8 : 0);
        dst[0] = static_cast<unsigned char>(kBase64Alphabet[v >> 18]);
        dst[1] = static_cast<unsigned char>(kBase64Alphabet[(v >> 12) & 63]);
        dst[2] = static_cast<unsigned char>(rest == 2 ? kBase64Alphabet[(v >> 6) & 63] : '=');
        dst[3] = '=';
        dst += 4;
    }
    return dst;
}

unsigned char *Base64EncodeShort(unsigned char *buffer, std::size_t n, unsigned char *dst)
{
    if (n == 0)
        return dst;
    // Zero bytes up to whole blocks of 24 and 4 more that the vector loads read.
    const std::size_t padded = (n + 23) / 24 * 24;
    std::memset(buffer + n, 0, padded + 4 - n);
    unsigned char text[(kShortEncode + kShortEncodeRoom) / 3 * 4 + 4];
    std::size_t used = ActiveKernels().encode(buffer, padded + 4, text);
    if (used < padded)
        used += EncodeGroupsScalar(buffer + used, padded - used, text + used / 3 * 4);
    // The characters that padding alone made are "=", as in the standard encoding.
    const std::size_t length = Base64EncodedLength(n);
    std::memcpy(dst, text, length);
    if (n % 3 > 0)
        std::memset(dst + length - (3 - n % 3), '=', 3 - n % 3);
    return dst + length;
}

} // namespace detail

AnsiText Base64Encode(const ByteSet &data)
{
    const std::string_view in = data.bytes();
    if (in.empty())
        return {};
    std::string out = detail::MakeBuffer(Base64EncodedLength(in.size()));
    detail::Base64EncodeTo(reinterpret_cast<const unsigned char *>(in.data()), in.size(),
                           reinterpret_cast<unsigned char *>(out.data()));
    return detail::AdoptText(std::move(out));
}

void Base64EncodeInto(std::string_view bytes, std::string &out)
{
    if (bytes.size() > (std::numeric_limits<std::size_t>::max() - 2) / 4 * 3)
        throw std::bad_alloc();
    detail::ResizeBuffer(out, Base64EncodedLength(bytes.size()));
    detail::Base64EncodeTo(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(),
                           reinterpret_cast<unsigned char *>(out.data()));
}
} // namespace korimbo
