// The fatal error for a failed allocation, provoked with a limit on the address space: POSIX only.
#include "convert/runtime.h"

#include <sys/resource.h>

#include <gtest/gtest.h>

#include "convert/bytes.h"
#include "fatal_exit.h"

namespace korimbo {
namespace {

#if defined(__SANITIZE_ADDRESS__)
#define KORIMBO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KORIMBO_ASAN 1
#endif
#endif

TEST(FatalAllocationError, ReportsAFailedAllocation)
{
#ifdef KORIMBO_ASAN
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#else
    const auto allocateUnderLimit = [] {
        const rlimit limit{512u << 20, 512u << 20};
        setrlimit(RLIMIT_AS, &limit);
        BlankBytes(1 << 30);
    };
    EXPECT_EXIT(allocateUnderLimit(), testing::ExitedWithCode(test::kFatalExitCode), "分配 1073741824 字节内存失败!");
#endif
}

} // namespace
} // namespace korimbo
