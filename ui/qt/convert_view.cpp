#include "ui/qt/convert_view.h"

#include <QLineEdit>

#include "ui/qt/gbk_codec.h"
#include "ui/qt/link_box_widget.h"

namespace korimbo {

bool QtConvertView::IsOpen() const { return window_ && !window_->IsClosing(); }

AnsiText QtConvertView::ReadEditBox(int number) const { return AnsiText(ToGbk(window_->EditBox(number)->text())); }

void QtConvertView::WriteEditBox(int number, const AnsiText &text)
{
    window_->EditBox(number)->setText(FromGbk(text.bytes()));
}

void QtConvertView::SetLinkBoxContent(int number, const ByteSet &html)
{
    window_->LinkBox(number)->SetHtmlContent(html.bytes());
}

} // namespace korimbo
