#pragma once

#include <optional>
#include <string>

#include <windows.h>

namespace korimbo {

// Runs the window program: installs the events hook and the fatal-error box, makes failed
// allocations fatal errors, builds and shows the centred main window and runs the message loop,
// the window seeing every key first. Returns 0 once the window is closed; a window that cannot be
// built is a fatal runtime error. With `startAddress`, the window opens with it in 原始地址 and
// converts it once shown, as a click on 转换 does.
int RunWin32WindowProgram(HINSTANCE instance, const std::optional<std::wstring> &startAddress = std::nullopt);

} // namespace korimbo
