#include "ui/qt/link_box_widget.h"

#include <QColor>
#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "ui/open/open_target.h"
#include "ui/qt/gbk_codec.h"
#include "ui/qt/link_box_font.h"

namespace korimbo {
namespace {

MouseButton ButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return MouseButton::Other;
    }
}

} // namespace

LinkBoxWidget::LinkBoxWidget(QWidget *parent)
    : QWidget(parent), measurer_(LinkBoxFont(screen()->logicalDotsPerInchY())), box_(measurer_)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
}

void LinkBoxWidget::SetHtmlContent(std::string_view html)
{
    box_.SetContent(html);
    if (underMouse())
        UpdatePointer(mapFromGlobal(QCursor::pos()));
    update();
}

void LinkBoxWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    for (const PlacedRun &run : box_.Runs()) {
        const QFont font = measurer_.FontFor(run.style);
        painter.setFont(font);
        painter.setPen(run.style == TextStyle::Plain ? QColor(0, 0, 0) : QColor(0, 0, 255));
        painter.drawText(run.box.x, run.box.y + QFontMetrics(font).ascent(), FromGbk(run.text));
    }
}

void LinkBoxWidget::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    if (box_.PointerMoved(position.x(), position.y()))
        update();
    UpdatePointer(position);
}

void LinkBoxWidget::leaveEvent(QEvent *)
{
    if (box_.PointerLeft())
        update();
}

void LinkBoxWidget::mousePressEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    if (const auto target = box_.Press(ButtonOf(event->button()), position.x(), position.y(), false))
        OpenTarget(*target);
}

void LinkBoxWidget::mouseDoubleClickEvent(QMouseEvent *)
{
    // The second press of a double click: its first press has already opened the link.
}

void LinkBoxWidget::UpdatePointer(QPoint position)
{
    const bool hand = box_.PointerAt(position.x(), position.y()) == PointerShape::Hand;
    setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

} // namespace korimbo
