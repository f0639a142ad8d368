#pragma once

#include <QFont>

#include "ui/logic/link_layout.h"

namespace korimbo {

// Measures link-box text with Qt's font metrics.
class QtTextMeasurer : public TextMeasurer
{
public:
    explicit QtTextMeasurer(const QFont &font) : font_(font) {}

    void SetFont(const QFont &font) { font_ = font; }
    // The font of a piece of text in `style`: the hot link is underlined.
    QFont FontFor(TextStyle style) const;

    int TextWidth(std::string_view gbk, TextStyle style) const override;
    int LineHeight() const override;

private:
    QFont font_;
};

} // namespace korimbo
