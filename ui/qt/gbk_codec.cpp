#include "ui/qt/gbk_codec.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

namespace korimbo {

std::string ToGbk(const QString &text)
{
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromGbk(std::string_view gbk)
{
    // The decoder keeps a lead byte at the very end to itself, waiting for its second byte; a
    // line feed after the text flushes it as U+FFFD and is then cut off again.
    QByteArray bytes(gbk.data(), static_cast<qsizetype>(gbk.size()));
    bytes.append('\n');
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    text.chop(1);
    return text;
}

} // namespace korimbo
