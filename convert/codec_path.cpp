#include "convert/codec_path.h"

#include <atomic>

#include "convert/base64_kernels.h"

namespace korimbo {
namespace {

struct Choice
{
    CodecPath path;
    const detail::Base64Kernels *kernels;
};

// The last available path is the fastest.
Choice Fastest()
{
    const CodecPath path = AvailableCodecPaths().back();
    return {path, detail::PlatformKernels(path)};
}

std::atomic<const detail::Base64Kernels *> activeKernels{nullptr};
std::atomic<CodecPath> activePath{CodecPath::Scalar};

void Choose(Choice choice)
{
    activePath.store(choice.path, std::memory_order_relaxed);
    activeKernels.store(choice.kernels, std::memory_order_release);
}

} // namespace

std::vector<CodecPath> AvailableCodecPaths()
{
    std::vector<CodecPath> paths;
    for (const CodecPath path : {CodecPath::Scalar, CodecPath::Avx2}) {
        if (detail::PlatformKernels(path) != nullptr)
            paths.push_back(path);
    }
    return paths;
}

CodecPath ActiveCodecPath()
{
    detail::ActiveKernels();
    return activePath.load(std::memory_order_relaxed);
}

CodecPath UseCodecPath(CodecPath path)
{
    const CodecPath previous = ActiveCodecPath();
    if (const detail::Base64Kernels *kernels = detail::PlatformKernels(path))
        Choose({path, kernels});
    return previous;
}

std::string_view CodecPathName(CodecPath path)
{
    return path == CodecPath::Avx2 ? "avx2" : "scalar";
}

namespace detail {

const Base64Kernels &ActiveKernels()
{
    const Base64Kernels *kernels = activeKernels.load(std::memory_order_acquire);
    if (kernels == nullptr) {
        Choose(Fastest());
        kernels = activeKernels.load(std::memory_order_acquire);
    }
    return *kernels;
}

} // namespace detail
} // namespace korimbo
