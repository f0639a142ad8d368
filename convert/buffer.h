#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

// Result buffers for the core's operations: every text and byte set is at most 2^31 - 1 bytes
// long, and a buffer that cannot be had is a fatal error, never an exception.
namespace korimbo::detail {

inline constexpr std::size_t kMaxLength = 0x7fffffff;

// A string of `size` zero bytes (BlankBytes relies on the zeros); reports a failed allocation (or a size
// above kMaxLength) through FatalAllocationError.
std::string MakeBuffer(std::size_t size);

// The parts joined in order, reporting a failed allocation like MakeBuffer.
std::string JoinViews(std::initializer_list<std::string_view> parts);

// Grows `out` beyond its capacity; throws std::bad_alloc when it cannot.
void GrowBuffer(std::string &out, std::size_t size);

// Grows or shrinks `out` to `size` bytes, keeping its memory; the bytes it gains are zero. A size
// it cannot have throws std::bad_alloc.
inline void ResizeBuffer(std::string &out, std::size_t size)
{
    if (size <= out.capacity())
        out.resize(size);
    else
        GrowBuffer(out, size);
}

} // namespace korimbo::detail
