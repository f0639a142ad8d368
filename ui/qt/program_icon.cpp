#include "ui/qt/program_icon.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPixmap>

namespace korimbo {

QImage ProgramIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    // Background: a rounded square in two blues.
    QLinearGradient face(0, 0, 0, 64);
    face.setColorAt(0, QColor(0x3a, 0x8d, 0xf0));
    face.setColorAt(1, QColor(0x12, 0x4f, 0xb8));
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    // A downward arrow: shaft and head.
    painter.setBrush(Qt::white);
    QPainterPath arrow;
    arrow.moveTo(27, 10);
    arrow.lineTo(37, 10);
    arrow.lineTo(37, 28);
    arrow.lineTo(46, 28);
    arrow.lineTo(32, 43);
    arrow.lineTo(18, 28);
    arrow.lineTo(27, 28);
    arrow.closeSubpath();
    painter.drawPath(arrow);

    // Two chain rings under it: the link being converted.
    QPen ring(QColor(0xff, 0xd2, 0x4a), 3.5);
    painter.setPen(ring);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(12, 46, 22, 10), 5, 5);
    painter.drawRoundedRect(QRectF(30, 46, 22, 10), 5, 5);
    return image;
}

QIcon ProgramIcon()
{
    QIcon icon;
    // The sizes of title bars and taskbars; menus of the desktop use the installed PNGs.
    for (const int size : {16, 24, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
    return icon;
}

} // namespace korimbo
