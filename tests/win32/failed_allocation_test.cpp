#include "ui/win32/failed_allocation.h"

#include <limits>
#include <new>
#include <string>

#include <gtest/gtest.h>
#include <windows.h>

namespace korimbo {
namespace {

// More than any process can have; read at run time, so that the compiler does not reject it.
volatile std::size_t tooMuchBytes = std::numeric_limits<std::size_t>::max() - 4096;

struct ThrowingForm
{
    const char *name;
    void *(*allocate)(std::size_t);
};

class FailedAllocation : public testing::TestWithParam<ThrowingForm>
{
};

// Runs the form inside a window procedure, as the window program's allocations run: the report
// must not depend on getting back through the system's frames.
LRESULT CALLBACK AllocatingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
        reinterpret_cast<ThrowingForm *>(lParam)->allocate(tooMuchBytes);
    return DefWindowProcW(window, message, wParam, lParam);
}

void AllocateInWindowProcedure(ThrowingForm form)
{
    WNDCLASSW cls{};
    cls.lpfnWndProc = &AllocatingWindowProc;
    cls.lpszClassName = L"KorimboAllocatingWindow";
    RegisterClassW(&cls);
    HWND window = CreateWindowW(cls.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SendMessageW(window, WM_APP, 0, reinterpret_cast<LPARAM>(&form));
}

TEST_P(FailedAllocation, EndsTheProgramWithTheReportOnceFatal)
{
    EXPECT_EXIT(
        {
            MakeFailedAllocationsFatal();
            AllocateInWindowProcedure(GetParam());
        },
        testing::ExitedWithCode(-1), "错误信息：分配 " + std::to_string(tooMuchBytes) + " 字节内存失败!");
}

TEST_P(FailedAllocation, ThrowsBadAllocBefore)
{
    EXPECT_THROW(GetParam().allocate(tooMuchBytes), std::bad_alloc);
}

INSTANTIATE_TEST_SUITE_P(Forms, FailedAllocation,
                         testing::Values(ThrowingForm{"plain", [](std::size_t size) { return ::operator new(size); }},
                                         ThrowingForm{"array", [](std::size_t size) { return ::operator new[](size); }},
                                         ThrowingForm{"aligned",
                                                      [](std::size_t size) {
                                                          return ::operator new (size, std::align_val_t{64});
                                                      }}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(FailedAllocation, NothrowFormsStillGiveNull)
{
    EXPECT_EXIT(
        {
            MakeFailedAllocationsFatal();
            const std::size_t tooMuch = tooMuchBytes;
            const bool allNull = ::operator new(tooMuch, std::nothrow) ==
                                 nullptr && ::operator new[](tooMuch, std::nothrow) ==
                                 nullptr && ::operator new (tooMuch, std::align_val_t{64}, std::nothrow) ==
                                 nullptr && ::operator new[](tooMuch, std::align_val_t{64}, std::nothrow) == nullptr;
            std::exit(allNull ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(FailedAllocation, AlignedMemoryIsAlignedAndFreed)
{
    void *memory = ::operator new (100, std::align_val_t{256});
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(memory) % 256, 0u);
    ::operator delete (memory, std::align_val_t{256});
}

} // namespace
} // namespace korimbo
