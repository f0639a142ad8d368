#pragma once

#include <string_view>

// The window program's report of a fatal runtime error: the "转换" button stops reaching the
// Convert command, then a modal error box shows the report; the core then ends the process with
// exit status -1.
namespace korimbo {

// Shows a modal box with no owner, the given caption and text, an error icon and an OK button;
// returns when it is closed. Texts are UTF-8.
using ErrorBoxHook = void (*)(std::string_view caption, std::string_view text);

// Installs the box; nullptr restores the Qt message box. Returns the one installed before.
ErrorBoxHook SetErrorBoxHook(ErrorBoxHook hook);

// The handler for SetFatalErrorHandler: stops clicks, then shows FatalErrorText(code, message) in
// the box captioned "错误".
void ReportFatalErrorInWindow(int code, std::string_view message);

// Whether clicks must no longer reach the program's handlers (after a fatal error).
bool ClicksStopped();

} // namespace korimbo
