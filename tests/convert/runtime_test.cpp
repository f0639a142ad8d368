#include "convert/runtime.h"

#include <gtest/gtest.h>

#include "convert/buffer.h"
#include "fatal_exit.h"

namespace korimbo {
namespace {

struct ReportCase
{
    const char *name;
    int code;
    const char *message;
    const char *text;
};

class FatalErrorTextTable : public testing::TestWithParam<ReportCase>
{
};

TEST_P(FatalErrorTextTable, LeavesOutZeroCodeAndEmptyMessage)
{
    EXPECT_EQ(FatalErrorText(GetParam().code, GetParam().message), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FatalErrorTextTable,
    testing::Values(ReportCase{"codeAndMessage", 1, "数组成员引用下标超出定义范围",
                               "运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n"},
                    ReportCase{"messageOnly", 0, "不能整除于零", "运行时出错!\r\n\r\n错误信息：不能整除于零\r\n"},
                    ReportCase{"codeOnly", 4, "", "运行时出错!\r\n\r\n错误代码：4\r\n\r\n"},
                    ReportCase{"neither", 0, "", "运行时出错!\r\n\r\n"}),
    [](const auto &info) { return std::string(info.param.name); });

void ReportToStdoutInstead(int code, std::string_view message)
{
    std::printf("handler saw %d: %.*s\n", code, static_cast<int>(message.size()), message.data());
}

TEST(FatalRuntimeError, GoesThroughTheInstalledHandlerThenExitsMinusOne)
{
    EXPECT_EXIT(
        {
            SetFatalErrorHandler(ReportToStdoutInstead);
            std::fputs("before\n", stderr);
            FatalRuntimeError(7, "boom");
        },
        testing::ExitedWithCode(test::kFatalExitCode), "^before\n$"); // the default report to standard error never ran
}

TEST(FatalRuntimeError, DefaultReportGoesToStandardError)
{
    EXPECT_EXIT(FatalRuntimeError(0, "载入启动窗口失败"), testing::ExitedWithCode(test::kFatalExitCode),
                "^运行时出错!\n\n错误信息：载入启动窗口失败\n$");
}

TEST(FatalAllocationError, NamesTheSizeAsked)
{
    EXPECT_EXIT(detail::MakeBuffer(detail::kMaxLength + 1), testing::ExitedWithCode(test::kFatalExitCode),
                "错误信息：分配 2147483648 字节内存失败!");
}

int hookCalls = 0;
void CountCall()
{
    ++hookCalls;
}

TEST(ProcessPendingEvents, CallsTheInstalledHookAndNothingWithout)
{
    hookCalls = 0;
    const PendingEventsHook previous = SetPendingEventsHook(CountCall);
    ProcessPendingEvents();
    EXPECT_EQ(SetPendingEventsHook(nullptr), CountCall);
    ProcessPendingEvents();
    SetPendingEventsHook(previous);
    EXPECT_EQ(hookCalls, 1);
}

} // namespace
} // namespace korimbo
