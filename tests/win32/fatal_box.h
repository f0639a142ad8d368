#pragma once

#include <string>

#include "driver.h"

namespace korimbo::e2e {

// Waits for the program's error box (caption "错误"), checks that it has no owner, presses OK and
// returns the box's text; empty when no box came.
std::wstring CloseErrorBox(const Program &program);

// Starts the helper that raises a fatal runtime error; checks the error box (no owner, caption
// "错误", the report's text), presses OK and checks exit code -1.
void CheckFatalErrorBox(const std::wstring &helperExe);

} // namespace korimbo::e2e
