#include "ui/qt/link_box_widget.h"

#include <algorithm>

#include <QAccessible>
#include <QColor>
#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "ui/open/open_target.h"
#include "ui/qt/gbk_codec.h"
#include "ui/qt/link_box_accessible.h"
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
    InstallLinkBoxAccessibility();
}

void LinkBoxWidget::SetHtmlContent(std::string_view html)
{
    box_.SetContent(html);
    if (underMouse())
        UpdatePointer(mapFromGlobal(QCursor::pos()));
    update();
    // The box's links are new: assistive technology asks again.
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    }
}

void LinkBoxWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    const QFontMetrics metrics(measurer_.Font());
    painter.setFont(measurer_.Font());
    for (const PlacedRun &run : box_.Runs()) {
        const QColor colour = run.style == TextStyle::Plain ? QColor(0, 0, 0) : QColor(0, 0, 255);
        const int baseline = run.box.y + metrics.ascent();
        painter.setPen(colour);
        painter.drawText(run.box.x, baseline, FromGbk(run.text));
        if (run.style == TextStyle::HotLink && run.box.width > 0) {
            // Drawn by hand so that a tall fallback font's underline stays inside the box.
            const int y = std::min(baseline + metrics.underlinePos(), height() - 1);
            painter.fillRect(run.box.x, y, run.box.width, std::max(1, metrics.lineWidth()), colour);
        }
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
    if (const auto target = box_.Press(ButtonOf(event->button()), position.x(), position.y()))
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
