#pragma once

#include <QFont>

#include "ui/logic/link_layout.h"

namespace korimbo {

// Measures link-box text with Qt's font metrics.
class QtTextMeasurer : public TextMeasurer
{
  public:
    explicit QtTextMeasurer(const QFont &font) : font_(font) {}

    // The one font of every style (the hot link's underline is drawn by the box).
    const QFont &Font() const { return font_; }

    int TextWidth(std::string_view gbk, TextStyle style) const override;
    int LineHeight() const override;

  private:
    QFont font_;
};

} // namespace korimbo
