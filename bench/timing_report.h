#pragma once

namespace korimbo {

class MainWindow;

// A benchmark aid for korimbo-timed: writes to standard error the wall-clock time (Unix
// nanoseconds) at which the window's first paint finished, and for every click of "转换" the time
// from the button's release to the end of the repaint that follows.
void InstallTimingReport(MainWindow &window);

} // namespace korimbo
