// Text crossing the control boundary: Unicode in the controls, GBK in the program.
#include <QtTest>

#include "ui/qt/gbk_codec.h"

using namespace korimbo;

class GbkCodecTest : public QObject
{
    Q_OBJECT

  private slots:
    void toGbk_data();
    void toGbk();
    void fromGbk_data();
    void fromGbk();
};

void GbkCodecTest::toGbk_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("gbk");
    QTest::newRow("ASCII") << QStringLiteral("http://a/b.rar") << QByteArray("http://a/b.rar");
    QTest::newRow("Chinese") << QStringLiteral("转换失败") << QByteArray("\xD7\xAA\xBB\xBB\xCA\xA7\xB0\xDC");
    QTest::newRow("full-width space") << QStringLiteral("a\u3000b")
                                      << QByteArray("a\xA1\xA1"
                                                    "b");
    QTest::newRow("euro sign") << QStringLiteral("\u20AC") << QByteArray("\x80");
    QTest::newRow("emoji becomes ?") << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
    QTest::newRow("lone surrogate becomes ?") << (QString(QChar(0xD800)) + QLatin1Char('x')) << QByteArray("?x");
    QTest::newRow("empty") << QString() << QByteArray();
}

void GbkCodecTest::toGbk()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, gbk);
    QCOMPARE(QByteArray::fromStdString(ToGbk(text)), gbk);
}

void GbkCodecTest::fromGbk_data()
{
    QTest::addColumn<QByteArray>("gbk");
    QTest::addColumn<QString>("text");
    QTest::newRow("Chinese") << QByteArray("\xD7\xAA\xBB\xBB") << QStringLiteral("转换");
    QTest::newRow("bad second byte") << QByteArray("a\x81\x30"
                                                   "b")
                                     << QStringLiteral("a\uFFFD0b");
    QTest::newRow("lead byte at the end") << QByteArray("ab\xB0") << QStringLiteral("ab\uFFFD");
    QTest::newRow("lone lead byte only") << QByteArray("\xD7") << QStringLiteral("\uFFFD");
    // Code page 936 as Windows maps it: 0xFF is a private-use character, so it survives a round trip.
    QTest::newRow("0xFF") << QByteArray("\xFF") << QStringLiteral("\uF8F5");
    QTest::newRow("empty") << QByteArray() << QString();
}

void GbkCodecTest::fromGbk()
{
    QFETCH(QByteArray, gbk);
    QFETCH(QString, text);
    QCOMPARE(FromGbk(gbk.toStdString()), text);
}

QTEST_APPLESS_MAIN(GbkCodecTest)
#include "gbk_codec_test.moc"
