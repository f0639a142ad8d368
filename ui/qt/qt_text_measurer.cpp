#include "ui/qt/qt_text_measurer.h"

#include <QFontMetrics>

#include "ui/qt/gbk_codec.h"

namespace korimbo {

int QtTextMeasurer::TextWidth(std::string_view gbk, TextStyle) const
{
    return QFontMetrics(font_).horizontalAdvance(FromGbk(gbk));
}

int QtTextMeasurer::LineHeight() const
{
    return QFontMetrics(font_).height();
}

} // namespace korimbo
