#include "ui/qt/link_box_font.h"

#include <QFontDatabase>
#include <QStringList>

#include "ui/logic/link_layout.h"

namespace korimbo {
namespace {

QString FindLinkBoxFamily()
{
    const QStringList installed = QFontDatabase::families();
    for (const QString &family : {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun")})
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    for (const QString &family : {QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC")})
        if (chinese.contains(family, Qt::CaseInsensitive))
            return family;
    return chinese.isEmpty() ? QString() : chinese.first();
}

// Looking through the installed fonts is slow: done once per process.
const QString &LinkBoxFamily()
{
    static const QString family = FindLinkBoxFamily();
    return family;
}

} // namespace

QFont LinkBoxFont(qreal dpi)
{
    QFont font;
    const QString &family = LinkBoxFamily();
    if (!family.isEmpty())
        font.setFamilies({family});
    font.setPixelSize(LinkBoxFontPixels(dpi));
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

} // namespace korimbo
