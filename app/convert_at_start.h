#pragma once

#include <QString>

namespace korimbo {

class MainWindow;

// Places `address` into 原始地址 (编辑框1) of a window that is not shown yet, as typed text is,
// and makes the Convert command run once, as a click on 转换 does, when the event loop starts:
// after the window is shown.
void ConvertAtStart(MainWindow &window, const QString &address);

} // namespace korimbo
