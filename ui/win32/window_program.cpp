#include "ui/win32/window_program.h"

#include <optional>

#include "convert/runtime.h"
#include "ui/logic/event_throttle.h"
#include "ui/win32/failed_allocation.h"
#include "ui/win32/fatal_error.h"
#include "ui/win32/main_window.h"

namespace korimbo {
namespace {

std::optional<EventThrottle> throttle;

void Dispatch(const MSG &message)
{
    if (PreTranslateWindowKey(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace

void DispatchWaitingMessages()
{
    if (!throttle)
        throttle.emplace();
    if (!throttle->ShouldDispatch())
        return;
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

int RunWin32WindowProgram(HINSTANCE instance)
{
    SetFatalErrorHandler(&ReportFatalErrorInMessageBox);
    MakeFailedAllocationsFatal();
    if (!RegisterMainWindowClasses(instance) || !CreateMainWindow(instance))
        FatalRuntimeError(0, "载入启动窗口失败");
    throttle.emplace();
    SetPendingEventsHook(&DispatchWaitingMessages);
    MSG message;
    int result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) > 0)
        Dispatch(message);
    SetPendingEventsHook(nullptr);
    return result < 0 ? 0 : static_cast<int>(message.wParam);
}

} // namespace korimbo
