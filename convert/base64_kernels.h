#pragma once

#include <cstddef>

#include "convert/codec_path.h"

// The Base64 codec's inner loops, one set per instruction set, and the choice between them
// (codec_path.cpp, with the processor test in codec_path_x86.cpp or codec_path_generic.cpp).
// Internal to the core.
namespace korimbo::detail {

struct Base64Kernels
{
    // Encodes the leading groups of three bytes of src[0..n) that the loop takes in whole blocks
    // (perhaps none), four characters per group into dst; returns the bytes used, a multiple of 3.
    std::size_t (*encode)(const unsigned char *src, std::size_t n, unsigned char *dst);
    // Decodes the leading blocks of 32 alphabet characters (eight groups) of src[0..n), three bytes
    // per group into dst, and stops before the first block that holds any other character (the
    // byte 0 included) or when fewer than 32 characters are left; returns the characters used, a
    // multiple of 32. May write up to 8 bytes beyond the last block's 24.
    std::size_t (*decodeBlocks)(const unsigned char *src, std::size_t n, unsigned char *dst);
};

inline constexpr std::size_t kDecodeBlock = 32;
inline constexpr std::size_t kDecodeSlack = 8;

extern const Base64Kernels kScalarKernels;

// The kernels this build has for `path` on this processor; nullptr when it has none.
const Base64Kernels *PlatformKernels(CodecPath path);

// The kernels in use.
const Base64Kernels &ActiveKernels();

} // namespace korimbo::detail
