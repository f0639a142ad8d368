#pragma once

#include <QFont>

namespace korimbo {

// The link boxes' font: "宋体" 9 pt, at floor(9 × dpi / 72) pixels for a screen of `dpi` logical
// dots per inch; where "宋体" (SimSun) is not installed, an installed Simplified Chinese font.
QFont LinkBoxFont(qreal dpi);

} // namespace korimbo
