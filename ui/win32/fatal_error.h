#pragma once

#include <string_view>

// The Windows report of a fatal runtime error: the "转换" button stops reaching the Convert
// command, then a MessageBox with no owner shows the report; the core then ends the process
// with exit code -1.
namespace korimbo {

// The handler for SetFatalErrorHandler: stops clicks, then shows FatalErrorText(code, message)
// in a box captioned "错误" with an error icon and an OK button.
void ReportFatalErrorInMessageBox(int code, std::string_view message);

// Whether clicks must no longer reach the program's handlers (after a fatal error).
bool ClicksStopped();

} // namespace korimbo
