#pragma once

#include <string_view>
#include <vector>

// The instruction sets the Base64 codec can run on. The fastest one the processor has is chosen
// when the codec is first used; every path gives exactly the same results. Tests and benchmarks
// switch between them to compare.
namespace korimbo {

enum class CodecPath {
    Scalar, // plain C++, on every processor
    Avx2,   // x86-64 processors with AVX2
};

// The paths this build can run on this processor, the scalar one first.
std::vector<CodecPath> AvailableCodecPaths();

// The path the codec uses now.
CodecPath ActiveCodecPath();

// Makes the codec use `path` from now on and returns the path used before; a path that is not
// available leaves the codec as it is. Not for use while another thread is converting.
CodecPath UseCodecPath(CodecPath path);

// "scalar" or "avx2".
std::string_view CodecPathName(CodecPath path);

} // namespace korimbo
