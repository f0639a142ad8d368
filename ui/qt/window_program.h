#pragma once

#include <functional>

namespace korimbo {

class MainWindow;

// Runs the window program: ignores the command line, refuses with one line on standard error
// (pointing to korimbo-convert) and status -1 when there is no display, installs the events hook
// and the fatal-error box, shows the centred main window and runs the event loop. Returns 0 once
// the window is closed. `beforeShow`, if given, sees the window before it is shown (tests).
int RunWindowProgram(int argc, char **argv, const std::function<void(MainWindow &)> &beforeShow = {});

} // namespace korimbo
