#pragma once

#include <string_view>

// The window programs' report of a fatal runtime error, shared by every front end: the "转换"
// button stops reaching the Convert command, then an error box shows the report; the core then
// ends the process with exit status -1.
namespace korimbo {

// Shows a modal box with no owner, the given caption and text, an error icon and an OK button;
// returns when it is closed. Texts are UTF-8. Each front end has its own.
using ErrorBoxShower = void (*)(std::string_view caption, std::string_view text);

// Stops clicks, then shows FatalErrorText(code, message) through `showBox`, captioned "错误".
void ReportFatalError(int code, std::string_view message, ErrorBoxShower showBox);

// From now on, clicks no longer reach the program's handlers.
void StopClicks();

// Whether clicks must no longer reach the program's handlers (after a fatal error).
bool ClicksStopped();

} // namespace korimbo
