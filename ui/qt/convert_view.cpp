#include "ui/qt/convert_view.h"

#include <QImage>
#include <QLineEdit>

#include "ui/qt/gbk_codec.h"
#include "ui/qt/link_box_widget.h"

namespace korimbo {

bool QtConvertView::IsOpen() const
{
    return window_ && !window_->IsClosing();
}

AnsiText QtConvertView::ReadEditBox(int number) const
{
    return AnsiText(ToGbk(window_->EditBox(number)->text()));
}

void QtConvertView::WriteEditBox(int number, const AnsiText &text)
{
    QLineEdit *box = window_->EditBox(number);
    // A line edit keeps its horizontal scroll from the old text and corrects it only while it
    // paints, one paint late: scrolled to the end of a long text, it would show the tail of a
    // shorter new one. Painting the emptied box off screen first brings it back to the start.
    box->clear();
    QImage scratch(1, 1, QImage::Format_RGB32);
    box->render(&scratch);
    box->setText(FromGbk(text.bytes()));
    box->setCursorPosition(0); // show the start of the text, as a freshly set edit box does
}

void QtConvertView::SetLinkBoxContent(int number, const ByteSet &html)
{
    window_->LinkBox(number)->SetHtmlContent(html.bytes());
}

} // namespace korimbo
