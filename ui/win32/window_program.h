#pragma once

#include <windows.h>

namespace korimbo {

// Runs the window program: installs the events hook and the fatal-error box, makes failed
// allocations fatal errors, builds and shows the centred main window and runs the message loop,
// the window seeing every key first. Returns 0 once the window is closed; a window that cannot be
// built is a fatal runtime error.
int RunWin32WindowProgram(HINSTANCE instance);

// Dispatches the messages already waiting, without waiting for more, at most once per 10 ms; a
// quit request stays queued for the main loop. The core's events hook.
void DispatchWaitingMessages();

} // namespace korimbo
