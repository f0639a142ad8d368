// The codec's paths on processors without a vector path of ours: the scalar one alone.
#include "convert/base64_kernels.h"

namespace korimbo::detail {

const Base64Kernels *PlatformKernels(CodecPath path)
{
    return path == CodecPath::Scalar ? &kScalarKernels : nullptr;
}

} // namespace korimbo::detail
