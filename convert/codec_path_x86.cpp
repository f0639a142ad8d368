// The codec's paths on x86-64: scalar, and AVX2 when the processor (and the system, which must
// save the wider registers) supports it.
#include "convert/base64_kernels.h"

namespace korimbo::detail {

extern const Base64Kernels kAvx2Kernels; // base64_avx2.cpp

const Base64Kernels *PlatformKernels(CodecPath path)
{
    switch (path) {
    case CodecPath::Scalar:
        return &kScalarKernels;
    case CodecPath::Avx2: {
        static const bool hasAvx2 = [] {
            __builtin_cpu_init();
            return __builtin_cpu_supports("avx2") != 0;
        }();
        return hasAvx2 ? &kAvx2Kernels : nullptr;
    }
    }
    return nullptr;
}

} // namespace korimbo::detail
