// The Convert command through the real window: box texts, link HTML, the targets a click opens,
// and events dispatched during a long decode (a nested click, a close).
#include <utility>
#include <vector>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "convert/address.h"
#include "convert/runtime.h"
#include "fake_opener.h"
#include "gbk.h"
#include "ui/open/open_target.h"
#include "ui/qt/events_hook.h"
#include "ui/qt/fatal_error.h"
#include "ui/qt/gbk_codec.h"
#include "ui/qt/link_box_widget.h"
#include "ui/qt/main_window.h"

using namespace korimbo;
using korimbo::test::FakeOpener;
using korimbo::test::opened;

namespace {

int errorBoxes = 0;
void CountErrorBox(std::string_view, std::string_view)
{
    ++errorBoxes;
}

// A clock that runs a second per reading: the events hook dispatches on every call.
std::int64_t fastNow = 0;
std::int64_t FastClock()
{
    return fastNow += 1'000'000;
}

// Runs once from inside the decode, then hands on to the Qt events hook.
std::function<void()> duringDecode;
PendingEventsHook qtHook = nullptr;
void TestHook()
{
    if (duringDecode) {
        auto action = std::move(duringDecode);
        duringDecode = nullptr;
        action();
    }
    qtHook();
}

QString LongThunderLink()
{
    return QString::fromLatin1(EncodeThunder(AnsiText("http://a/" + std::string(200'000, 'x'))).c_str());
}

void PostClick(QWidget *button)
{
    const QPointF centre = QRectF(button->rect()).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(
            button, new QMouseEvent(type, centre, button->mapToGlobal(centre), Qt::LeftButton,
                                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier));
}

} // namespace

class ConvertUiTest : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase()
    {
        SetDesktopOpener(&FakeOpener);
        SetErrorBoxHook(&CountErrorBox);
        SetFatalErrorHandler(&ReportFatalErrorInWindow);
        InstallQtEventsHook(&FastClock);
        qtHook = SetPendingEventsHook(&TestHook);
    }
    void init()
    {
        opened.clear();
        window = new MainWindow;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void cleanup()
    {
        duringDecode = nullptr;
        delete window.data();
        QCOMPARE(errorBoxes, 0);
    }

    void workedExamples_data();
    void workedExamples();
    void clickOpensExactlyTheOutputBoxText();
    void sameInputTwiceGivesTheSame();
    void nestedClickDuringALongDecode();
    void closeDuringALongDecode();
    void aNewResultShowsItsStart();

  private:
    QPushButton *Button() const { return window->findChild<QPushButton *>(QStringLiteral("按钮1")); }
    void Convert(const QString &input)
    {
        window->EditBox(1)->setText(input);
        QTest::mouseClick(Button(), Qt::LeftButton);
    }
    QPointer<MainWindow> window;
};

void ConvertUiTest::workedExamples_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("boxes"); // 编辑框2 to 编辑框5
    QTest::addColumn<QStringList>("html");  // 简单超文本框1 to 4, UTF-8 here, GBK in the box
    const QString real = QStringLiteral("http://a/b.rar");
    const QString thunder = QStringLiteral("thunder://QUFodHRwOi8vYS9iLnJhclpa");
    const QString flashGet = QStringLiteral("Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&1926");
    const QString whirlwind = QStringLiteral("qqdl://aHR0cDovL2EvYi5yYXI=");
    const QStringList workedHtml{
        QStringLiteral("<a href=\"http://a/b.rar\">直接下载</a>"),
        QStringLiteral("<a href=\"thunder://QUFodHRwOi8vYS9iLnJhclpa\">迅雷下载</a>"),
        QStringLiteral("<a href=\"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&amp;1926\">快车下载</a>"),
        QStringLiteral("<a href=\"qqdl://aHR0cDovL2EvYi5yYXI=\">旋风下载</a>")};
    const QStringList worked{real, thunder, flashGet, whirlwind};
    QTest::newRow("real address") << real << worked << workedHtml;
    QTest::newRow("thunder link") << thunder << worked << workedHtml;
    QTest::newRow("FlashGet link") << flashGet << worked << workedHtml;
    const QString failed = QStringLiteral("转换失败");
    QTest::newRow("empty") << QString() << QStringList{failed, failed, failed, failed}
                           << QStringList{QStringLiteral("<a href=\"转换失败\">直接下载</a>"),
                                          QStringLiteral("<a href=\"转换失败\">迅雷下载</a>"),
                                          QStringLiteral("<a href=\"转换失败\">快车下载</a>"),
                                          QStringLiteral("<a href=\"转换失败\">旋风下载</a>")};
    QTest::newRow("quote and angle brackets")
        << QStringLiteral("http://a\" ><a href=\"x")
        << QStringList{QStringLiteral("http://a\" ><a href=\"x"),
                       QStringLiteral("thunder://QUFodHRwOi8vYSIgPjxhIGhyZWY9InhaWg=="),
                       QStringLiteral("Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hIiA+PGEgaHJlZj0ieFtGTEFTSEdFVF0=&1926"),
                       QStringLiteral("qqdl://aHR0cDovL2EiID48YSBocmVmPSJ4")}
        << QStringList{
               QStringLiteral("<a href=\"http://a&quot; &gt;&lt;a href=&quot;x\">直接下载</a>"),
               QStringLiteral("<a href=\"thunder://QUFodHRwOi8vYSIgPjxhIGhyZWY9InhaWg==\">迅雷下载</a>"),
               QStringLiteral("<a "
                              "href=\"Flashget://"
                              "W0ZMQVNIR0VUXWh0dHA6Ly9hIiA+PGEgaHJlZj0ieFtGTEFTSEdFVF0=&amp;1926\">快车下载</a>"),
               QStringLiteral("<a href=\"qqdl://aHR0cDovL2EiID48YSBocmVmPSJ4\">旋风下载</a>")};
    QTest::newRow("Chinese address")
        << QStringLiteral("http://a/中文.rar")
        << QStringList{QStringLiteral("http://a/中文.rar"), QStringLiteral("thunder://QUFodHRwOi8vYS/W0M7ELnJhclpa"),
                       QStringLiteral("Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL9bQzsQucmFyW0ZMQVNIR0VUXQ==&1926"),
                       QStringLiteral("qqdl://aHR0cDovL2Ev1tDOxC5yYXI=")}
        << QStringList{
               QStringLiteral("<a href=\"http://a/中文.rar\">直接下载</a>"),
               QStringLiteral("<a href=\"thunder://QUFodHRwOi8vYS/W0M7ELnJhclpa\">迅雷下载</a>"),
               QStringLiteral(
                   "<a href=\"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL9bQzsQucmFyW0ZMQVNIR0VUXQ==&amp;1926\">快车下载</a>"),
               QStringLiteral("<a href=\"qqdl://aHR0cDovL2Ev1tDOxC5yYXI=\">旋风下载</a>")};
    // A character GBK cannot hold reaches the core as "?".
    QTest::newRow("unencodable character")
        << QStringLiteral("http://a/\U0001F600.rar")
        << QStringList{QStringLiteral("http://a/?.rar"), QStringLiteral("thunder://QUFodHRwOi8vYS8/LnJhclpa"),
                       QStringLiteral("Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hLz8ucmFyW0ZMQVNIR0VUXQ==&1926"),
                       QStringLiteral("qqdl://aHR0cDovL2EvPy5yYXI=")}
        << QStringList{
               QStringLiteral("<a href=\"http://a/?.rar\">直接下载</a>"),
               QStringLiteral("<a href=\"thunder://QUFodHRwOi8vYS8/LnJhclpa\">迅雷下载</a>"),
               QStringLiteral(
                   "<a href=\"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hLz8ucmFyW0ZMQVNIR0VUXQ==&amp;1926\">快车下载</a>"),
               QStringLiteral("<a href=\"qqdl://aHR0cDovL2EvPy5yYXI=\">旋风下载</a>")};
}

void ConvertUiTest::workedExamples()
{
    QFETCH(QString, input);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, html);
    Convert(input);
    QCOMPARE(window->EditBox(1)->text(), input);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(window->EditBox(i + 2)->text(), boxes[i]);
        QCOMPARE(window->LinkBox(i + 1)->Logic().Content(), test::Gbk(html[i].toStdString()));
    }
}

void ConvertUiTest::clickOpensExactlyTheOutputBoxText()
{
    // Characters the link HTML escapes never change what a link opens. The real address with a
    // double quote is one that may not be opened at all; its three links still open.
    const std::pair<QString, int> cases[] = {{QStringLiteral("http://a\" ><a href=\"x"), 1},
                                             {QStringLiteral("http://a/x==&1926&amp;"), 0}};
    for (const auto &[input, refusedBox] : cases) {
        opened.clear();
        Convert(input);
        std::vector<std::string> expected;
        for (int number = 1; number <= 4; ++number) {
            LinkBoxWidget *box = window->LinkBox(number);
            const Rect link = box->Logic().Runs().at(0).box;
            QTest::mousePress(window->windowHandle(), Qt::LeftButton, {},
                              box->mapTo(window, QPoint(link.x + 2, link.y + 2)));
            QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {},
                                box->mapTo(window, QPoint(link.x + 2, link.y + 2)));
            if (number != refusedBox)
                expected.push_back(ToGbk(window->EditBox(number + 1)->text()));
        }
        QCOMPARE(opened, expected);
    }
}

void ConvertUiTest::sameInputTwiceGivesTheSame()
{
    Convert(QStringLiteral("qqdl://aHR0cDovL2EvYi5yYXI="));
    QStringList first;
    for (int number = 2; number <= 5; ++number)
        first << window->EditBox(number)->text();
    const std::string fixed = window->LinkBox(5)->Logic().Content();
    Convert(QStringLiteral("qqdl://aHR0cDovL2EvYi5yYXI="));
    for (int number = 2; number <= 5; ++number)
        QCOMPARE(window->EditBox(number)->text(), first[number - 2]);
    QCOMPARE(window->LinkBox(1)->Logic().Runs().size(), std::size_t(1)); // only the new link
    QCOMPARE(window->LinkBox(5)->Logic().Content(), fixed);
}

// A second click while the first decodes runs the whole command nested; the first then finishes
// its decode and goes on with the input as it is now.
void ConvertUiTest::nestedClickDuringALongDecode()
{
    const QString longLink = LongThunderLink();
    duringDecode = [this] {
        window->EditBox(1)->setText(QStringLiteral("http://x/y"));
        PostClick(Button());
    };
    Convert(longLink);
    QVERIFY(!duringDecode); // the decode did dispatch events
    const QString longAddress = QStringLiteral("http://a/") + QString(200'000, QLatin1Char('x'));
    QCOMPARE(window->EditBox(2)->text(), longAddress);
    QCOMPARE(window->EditBox(3)->text(), QStringLiteral("thunder://QUFodHRwOi8veC95Wlo="));
    QCOMPARE(window->EditBox(5)->text(), QStringLiteral("qqdl://aHR0cDovL3gveQ=="));
    QCOMPARE(window->LinkBox(1)->Logic().Content(),
             "<a href=\"" + longAddress.toStdString() + "\">" + test::Gbk("直接下载</a>"));
    QCOMPARE(window->LinkBox(2)->Logic().Content(),
             test::Gbk("<a href=\"thunder://QUFodHRwOi8veC95Wlo=\">迅雷下载</a>"));
}

void ConvertUiTest::closeDuringALongDecode()
{
    duringDecode = [this] { QMetaObject::invokeMethod(window, "close", Qt::QueuedConnection); };
    Convert(LongThunderLink());
    QVERIFY(!duringDecode);
    QTRY_VERIFY(window.isNull()); // closed and deleted; the command stopped without an error box
}

// The user scrolled an output box to the end of a long link; the next, shorter (but still too
// wide) result shows its start on the screen, as it would in a box that was never scrolled.
void ConvertUiTest::aNewResultShowsItsStart()
{
    Convert(QStringLiteral("http://a/") + QString(3000, QLatin1Char('x')));
    QLineEdit *box = window->EditBox(3);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    window->findChild<QPushButton *>(QStringLiteral("按钮1"))->setFocus();
    QTest::qWait(20);
    Convert(QStringLiteral("http://a/b") + QString(80, QLatin1Char('y')));
    QTest::qWait(20);
    // What the screen shows, not a fresh paint of the widget.
    const QRect area(box->mapTo(window, QPoint(0, 0)), box->size());
    const QImage shown =
        window->screen()->grabWindow(window->winId(), area.x(), area.y(), area.width(), area.height()).toImage();
    QLineEdit fresh(window);
    fresh.setGeometry(box->geometry());
    fresh.setFont(box->font());
    fresh.setText(box->text());
    fresh.setCursorPosition(0);
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), fresh.grab().toImage().convertToFormat(QImage::Format_RGB32));
}

QTEST_MAIN(ConvertUiTest)
#include "convert_ui_test.moc"
