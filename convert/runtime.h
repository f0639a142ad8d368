#pragma once

#include <string>
#include <string_view>

// The two places where the conversion core meets the program around it: the report of a
// fatal runtime error, and the dispatch of waiting window events during a long decode.
// The program installs its own handlers; the core works without any.
namespace korimbo {

// Shows or writes a fatal error report. Called with the error code and a UTF-8 message.
// It may return; the process ends right after it in any case.
using FatalErrorHandler = void (*)(int code, std::string_view message);

// Dispatches the window events that are already waiting, without waiting for more.
using PendingEventsHook = void (*)();

// Installs the reporter of fatal errors; nullptr restores the default, which writes the report
// to standard error. Returns the handler that was installed before.
FatalErrorHandler SetFatalErrorHandler(FatalErrorHandler handler);

// Reports the error through the installed handler, then ends the process with exit status -1
// without running exit handlers or destructors. Never returns.
[[noreturn]] void FatalRuntimeError(int code, std::string_view message);

// The report's text: "运行时出错!", then the code's line (unless the code is 0), then the
// message's line (unless the message is empty), with CR LF line ends.
std::string FatalErrorText(int code, std::string_view message);

// Reports that `bytes` bytes of memory could not be had ("分配 N 字节内存失败!"). Never returns.
[[noreturn]] void FatalAllocationError(unsigned long long bytes);

// Installs the events hook; nullptr removes it. Returns the hook that was installed before.
PendingEventsHook SetPendingEventsHook(PendingEventsHook hook);

namespace detail {
inline PendingEventsHook pendingEventsHook = nullptr;
}

// Runs the installed events hook, if any; does nothing otherwise. Cheap enough to call once per
// decoded group of four characters.
inline void ProcessPendingEvents()
{
    if (const PendingEventsHook hook = detail::pendingEventsHook)
        hook();
}

} // namespace korimbo
