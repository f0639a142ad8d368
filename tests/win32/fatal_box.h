#pragma once

#include <string>

namespace korimbo::e2e {

// Starts the helper that raises a fatal runtime error; checks the error box (no owner, caption
// "错误", the report's text), presses OK and checks exit code -1.
void CheckFatalErrorBox(const std::wstring &helperExe);

} // namespace korimbo::e2e
