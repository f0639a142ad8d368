#include "ui/win32/failed_allocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include <malloc.h>

#include "convert/runtime.h"

namespace korimbo {
namespace {

std::atomic<bool> fatal{false};

// Asks until the memory is had or no new handler is installed (nullptr then), as the standard
// operator new does; a new handler that throws std::bad_alloc ends the asking too.
template <typename Allocate> void *Obtain(Allocate allocate) noexcept
{
    for (;;) {
        if (void *memory = allocate())
            return memory;
        const std::new_handler handler = std::get_new_handler();
        if (!handler)
            return nullptr;
        try {
            handler();
        } catch (const std::bad_alloc &) {
            return nullptr;
        }
    }
}

void *Plain(std::size_t size) noexcept
{
    return Obtain([size] { return std::malloc(size == 0 ? 1 : size); });
}

void *Aligned(std::size_t size, std::align_val_t alignment) noexcept
{
    return Obtain([=] { return _aligned_malloc(size == 0 ? 1 : size, static_cast<std::size_t>(alignment)); });
}

// What the throwing forms do with memory that could not be had.
void *OrFail(void *memory, std::size_t size)
{
    if (memory)
        return memory;
    if (fatal.load(std::memory_order_relaxed)) {
        // An allocation that fails while a failure is being reported ends the process at once.
        static std::atomic<bool> reporting{false};
        if (reporting.exchange(true))
            std::_Exit(-1);
        FatalAllocationError(size);
    }
    throw std::bad_alloc();
}

} // namespace

void MakeFailedAllocationsFatal()
{
    fatal.store(true, std::memory_order_relaxed);
}

} // namespace korimbo

// The replaceable forms that the others are made of: the C++ runtime's array forms call these,
// and its deletes call free, or the aligned delete below.
void *operator new(std::size_t size)
{
    return korimbo::OrFail(korimbo::Plain(size), size);
}

void *operator new(std::size_t size, const std::nothrow_t &) noexcept
{
    return korimbo::Plain(size);
}

void *operator new[](std::size_t size, const std::nothrow_t &) noexcept
{
    return korimbo::Plain(size);
}

void *operator new(std::size_t size, std::align_val_t alignment)
{
    return korimbo::OrFail(korimbo::Aligned(size, alignment), size);
}

void *operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t &) noexcept
{
    return korimbo::Aligned(size, alignment);
}

void *operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t &) noexcept
{
    return korimbo::Aligned(size, alignment);
}

void operator delete(void *memory, std::align_val_t) noexcept
{
    _aligned_free(memory);
}
