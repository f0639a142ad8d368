#include "ui/win32/window_program.h"

#include <objbase.h>

#include "convert/runtime.h"
#include "ui/logic/event_throttle.h"
#include "ui/win32/failed_allocation.h"
#include "ui/win32/fatal_error.h"
#include "ui/win32/main_window.h"

namespace korimbo {
namespace {

void Dispatch(const MSG &message)
{
    if (PreTranslateWindowKey(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// Dispatches the messages already waiting, without waiting for more; a quit request stays queued
// for the main loop.
void DispatchWaitingMessages()
{
    MSG message;
    // Looked at before it is taken, so that a quit request stays for the main loop.
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            break;
        if (message.message == WM_QUIT) { // a quit posted in between: put it back
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        Dispatch(message);
    }
}

} // namespace

int RunWin32WindowProgram(HINSTANCE instance, const std::optional<std::wstring> &startAddress)
{
    // COM on the UI thread, for the shell's "open" and for screen readers, which reach the controls'
    // objects from their own processes.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SetFatalErrorHandler(&ReportFatalErrorInMessageBox);
    MakeFailedAllocationsFatal();
    if (!RegisterMainWindowClasses(instance) || !CreateMainWindow(instance, startAddress))
        FatalRuntimeError(0, "载入启动窗口失败");
    InstallThrottledEventsHook(&DispatchWaitingMessages);
    MSG message;
    int result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) > 0)
        Dispatch(message);
    RemoveThrottledEventsHook();
    return result < 0 ? 0 : static_cast<int>(message.wParam);
}

} // namespace korimbo
