#include "convert/runtime.h"

#include <cstdio>
#include <cstdlib>

namespace korimbo {
namespace {

// The default report: the same text as the error box, with plain LF line ends.
void WriteToStandardError(int code, std::string_view message)
{
    std::string report = FatalErrorText(code, message);
    std::erase(report, '\r');
    std::fwrite(report.data(), 1, report.size(), stderr);
}

FatalErrorHandler fatalErrorHandler = nullptr;

} // namespace

FatalErrorHandler SetFatalErrorHandler(FatalErrorHandler handler)
{
    const FatalErrorHandler previous = fatalErrorHandler;
    fatalErrorHandler = handler;
    return previous;
}

void FatalRuntimeError(int code, std::string_view message)
{
    (fatalErrorHandler ? fatalErrorHandler : WriteToStandardError)(code, message);
    std::fflush(nullptr);
    std::_Exit(-1);
}

std::string FatalErrorText(int code, std::string_view message)
{
    std::string text = "运行时出错!\r\n\r\n";
    if (code != 0)
        text += "错误代码：" + std::to_string(code) + "\r\n\r\n";
    if (!message.empty())
        text.append("错误信息：").append(message).append("\r\n");
    return text;
}

void FatalAllocationError(unsigned long long bytes)
{
    FatalRuntimeError(0, "分配 " + std::to_string(bytes) + " 字节内存失败!");
}

PendingEventsHook SetPendingEventsHook(PendingEventsHook hook)
{
    const PendingEventsHook previous = detail::pendingEventsHook;
    detail::pendingEventsHook = hook;
    return previous;
}

} // namespace korimbo
