// The Qt window started with an address: the address is in 原始地址 before the window is shown,
// and the Convert command has filled the boxes once it is shown.
#include "app/convert_at_start.h"

#include <QLineEdit>
#include <QPointer>
#include <QtTest>

#include "ui/qt/link_box_widget.h"
#include "ui/qt/main_window.h"

using korimbo::MainWindow;

class ConvertAtStartTest : public QObject
{
    Q_OBJECT

  private slots:
    void showsTheConvertedForms_data();
    void showsTheConvertedForms();
};

void ConvertAtStartTest::showsTheConvertedForms_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QStringList>("forms");
    QTest::newRow("thunder link")
        << QStringLiteral("thunder://QUFodHRwOi8vYS9iLnJhclpa")
        << QStringList{QStringLiteral("http://a/b.rar"), QStringLiteral("thunder://QUFodHRwOi8vYS9iLnJhclpa"),
                       QStringLiteral("Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&1926"),
                       QStringLiteral("qqdl://aHR0cDovL2EvYi5yYXI=")};
    // The text becomes GBK as typed text does: the links hold the Base64 of D6 D0 for 中.
    QTest::newRow("Chinese real address")
        << QStringLiteral("http://a/中.rar")
        << QStringList{QStringLiteral("http://a/中.rar"), QStringLiteral("thunder://QUFodHRwOi8vYS/W0C5yYXJaWg=="),
                       QStringLiteral("Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL9bQLnJhcltGTEFTSEdFVF0=&1926"),
                       QStringLiteral("qqdl://aHR0cDovL2Ev1tAucmFy")};
    QTest::newRow("empty argument") << QString()
                                    << QStringList{QStringLiteral("转换失败"), QStringLiteral("转换失败"),
                                                   QStringLiteral("转换失败"), QStringLiteral("转换失败")};
}

void ConvertAtStartTest::showsTheConvertedForms()
{
    QFETCH(QString, address);
    QFETCH(QStringList, forms);
    QPointer<MainWindow> window = new MainWindow;
    korimbo::ConvertAtStart(*window, address);
    QCOMPARE(window->EditBox(1)->text(), address);
    QVERIFY2(window->EditBox(2)->text().isEmpty(), "nothing is converted before the window is shown");

    window->show();
    QTRY_COMPARE(window->EditBox(2)->text(), forms[0]);
    for (int box = 2; box <= 5; ++box)
        QCOMPARE(window->EditBox(box)->text(), forms[box - 2]);
    QCOMPARE(window->EditBox(1)->text(), address);
    for (int box = 1; box <= 4; ++box)
        QVERIFY2(!window->LinkBox(box)->Logic().Content().empty(), "the link boxes hold their links");
    window->close();
}

QTEST_MAIN(ConvertAtStartTest)
#include "convert_at_start_test.moc"
