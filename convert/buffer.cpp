#include "convert/buffer.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "convert/runtime.h"

namespace korimbo::detail {

std::string MakeBuffer(std::size_t size)
{
    if (size > kMaxLength)
        FatalAllocationError(size);
    try {
        return std::string(size, '\0');
    } catch (const std::bad_alloc &) {
        FatalAllocationError(size);
    }
}

std::string JoinViews(std::initializer_list<std::string_view> parts)
{
    // Checked at every step, so that the sum cannot wrap around where size_t has 32 bits.
    std::size_t total = 0;
    for (const std::string_view part : parts) {
        total += part.size();
        if (total > kMaxLength)
            FatalAllocationError(total);
    }
    std::string out = MakeBuffer(total);
    auto at = out.begin();
    for (const std::string_view part : parts)
        at = std::copy(part.begin(), part.end(), at);
    return out;
}

void GrowBuffer(std::string &out, std::size_t size)
{
    try {
        out.resize(size);
    } catch (const std::length_error &) {
        throw std::bad_alloc();
    }
}

} // namespace korimbo::detail
