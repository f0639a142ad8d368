#pragma once

#include <string_view>

#include <windows.h>

#include "ui/logic/link_layout.h"

namespace korimbo {

// The link boxes' font: "宋体" (SimSun) at 9 points for the screen's vertical resolution, or the
// default GUI font where SimSun is not installed. Made once; lives as long as the process.
HFONT LinkBoxFont();

// Measures GBK text in the link boxes' font with GetTextExtentPoint32W.
class GdiTextMeasurer : public TextMeasurer
{
  public:
    GdiTextMeasurer();
    ~GdiTextMeasurer() override;
    GdiTextMeasurer(const GdiTextMeasurer &) = delete;
    GdiTextMeasurer &operator=(const GdiTextMeasurer &) = delete;

    int TextWidth(std::string_view gbk, TextStyle style) const override;
    int LineHeight() const override { return lineHeight_; }
    // The distance from a line's top to its baseline.
    int Ascent() const { return ascent_; }

  private:
    HDC dc_;
    HGDIOBJ previousFont_;
    int lineHeight_ = 0;
    int ascent_ = 0;
};

} // namespace korimbo
