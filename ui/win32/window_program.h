#pragma once

#include <windows.h>

namespace korimbo {

// Runs the window program: installs the events hook and the fatal-error box, builds and shows the
// centred main window and runs the message loop, the window seeing every key first. Returns 0
// once the window is closed; a window that cannot be built is a fatal runtime error.
int RunWin32WindowProgram(HINSTANCE instance);

} // namespace korimbo
