#include "ui/qt/qt_text_measurer.h"

#include <QFontMetrics>

#include "ui/qt/gbk_codec.h"

namespace korimbo {

QFont QtTextMeasurer::FontFor(TextStyle style) const
{
    QFont font = font_;
    font.setUnderline(style == TextStyle::HotLink);
    return font;
}

int QtTextMeasurer::TextWidth(std::string_view gbk, TextStyle style) const
{
    return QFontMetrics(FontFor(style)).horizontalAdvance(FromGbk(gbk));
}

int QtTextMeasurer::LineHeight() const { return QFontMetrics(font_).height(); }

} // namespace korimbo
