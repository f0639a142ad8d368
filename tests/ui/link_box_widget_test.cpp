// The link box widget: font, drawing, hover, pointer and which presses open a target.
#include <cmath>

#include <QApplication>
#include <QFontDatabase>
#include <QScreen>
#include <QtTest>

#include "fake_opener.h"
#include "gbk.h"
#include "ui/open/open_target.h"
#include "ui/qt/link_box_font.h"
#include "ui/qt/link_box_widget.h"

using namespace korimbo;
using korimbo::test::FakeOpener;
using korimbo::test::opened;

class LinkBoxWidgetTest : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase() { previous = SetDesktopOpener(&FakeOpener); }
    void cleanupTestCase() { SetDesktopOpener(previous); }
    void init()
    {
        opened.clear();
        holder = new QWidget;
        holder->resize(200, 40);
        box = new LinkBoxWidget(holder);
        box->setGeometry(10, 10, 120, 16);
        box->SetHtmlContent(test::Gbk("<a href=\"http://a/b.rar\">直接下载</a>|<a href=\"转换失败\">失败</a>"));
        holder->show();
        QVERIFY(QTest::qWaitForWindowExposed(holder));
    }
    void cleanup() { delete holder; }

    void font();
    void drawing();
    void hover();
    void presses_data();
    void presses();
    void doubleClickOpensOnce();
    void newContentActsAtOnce();

  private:
    // A point on the n-th placed run, in window coordinates.
    QPoint OnRun(std::size_t n) const
    {
        const Rect r = box->Logic().Runs().at(n).box;
        return box->mapTo(holder, QPoint(r.x + r.width / 2, r.y + r.height / 2));
    }
    QWindow *Window() const { return holder->windowHandle(); }

    DesktopOpener previous = nullptr;
    QWidget *holder = nullptr;
    LinkBoxWidget *box = nullptr;
};

void LinkBoxWidgetTest::font()
{
    const QFont font = LinkBoxFont(box->screen()->logicalDotsPerInchY());
    QCOMPARE(font.pixelSize(), int(std::floor(9 * box->screen()->logicalDotsPerInchY() / 72)));
    const QString family = font.families().value(0);
    const bool simSun = family == QStringLiteral("宋体") || family == QStringLiteral("SimSun");
    QVERIFY2(simSun || QFontDatabase::families(QFontDatabase::SimplifiedChinese).contains(family), qPrintable(family));
    QVERIFY(QFontInfo(font).exactMatch() || !simSun);
}

void LinkBoxWidgetTest::drawing()
{
    const QImage image = box->grab().toImage();
    QCOMPARE(QColor(image.pixel(0, 0)), box->palette().color(QPalette::Button));
    int blue = 0;
    int black = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c(image.pixel(x, y));
            blue += c.blue() > 200 && c.red() < 120 && c.green() < 120;
            black += c.blue() < 80 && c.red() < 80 && c.green() < 80;
        }
    QVERIFY2(blue > 20, "link text is blue");
    QVERIFY2(black > 3, "the plain | is black");
    // Nothing is drawn left of the line's start.
    for (int y = 0; y < image.height(); ++y)
        QCOMPARE(QColor(image.pixel(0, y)), box->palette().color(QPalette::Button));
}

void LinkBoxWidgetTest::hover()
{
    const QImage plain = box->grab().toImage();
    QTest::mouseMove(Window(), OnRun(0));
    QTRY_COMPARE(box->Logic().HotLink(), 0);
    QCOMPARE(box->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(box->grab().toImage() != plain); // underlined
    QTest::mouseMove(Window(), OnRun(1));    // the plain "|"
    QTRY_COMPARE(box->Logic().HotLink(), -1);
    QCOMPARE(box->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(Window(), OnRun(2)); // a link whose target is "转换失败"
    QTRY_COMPARE(box->Logic().HotLink(), 1);
    QCOMPARE(box->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(Window(), OnRun(0));
    QTRY_COMPARE(box->Logic().HotLink(), 0);
    QTest::mouseMove(Window(), QPoint(190, 35)); // out of the box
    QTRY_COMPARE(box->Logic().HotLink(), -1);
    QCOMPARE(box->grab().toImage(), plain);
}

void LinkBoxWidgetTest::presses_data()
{
    QTest::addColumn<int>("run");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("opens");
    QTest::newRow("left on the link") << 0 << int(Qt::LeftButton) << true;
    QTest::newRow("right on the link") << 0 << int(Qt::RightButton) << false;
    QTest::newRow("middle on the link") << 0 << int(Qt::MiddleButton) << false;
    QTest::newRow("left on the plain text") << 1 << int(Qt::LeftButton) << false;
    QTest::newRow("left on a link to 转换失败") << 2 << int(Qt::LeftButton) << false;
}

void LinkBoxWidgetTest::presses()
{
    QFETCH(int, run);
    QFETCH(int, button);
    QFETCH(bool, opens);
    const QPoint where = OnRun(std::size_t(run));
    QTest::mousePress(Window(), Qt::MouseButton(button), {}, where);
    QCOMPARE(opened.size(), std::size_t(opens ? 1 : 0)); // on the press, before the release
    QTest::mouseRelease(Window(), Qt::MouseButton(button), {}, where);
    QCOMPARE(opened.size(), std::size_t(opens ? 1 : 0));
    if (opens)
        QCOMPARE(opened[0], std::string("http://a/b.rar"));
}

void LinkBoxWidgetTest::doubleClickOpensOnce()
{
    QTest::mouseDClick(Window(), Qt::LeftButton, {}, OnRun(0));
    QCOMPARE(opened.size(), std::size_t(1));
}

void LinkBoxWidgetTest::newContentActsAtOnce()
{
    box->SetHtmlContent("<a href=\"http://new/\">NEW-LINK-TEXT</a>");
    QTest::mousePress(Window(), Qt::LeftButton, {}, OnRun(0)); // no repaint in between
    QCOMPARE(opened, std::vector<std::string>{"http://new/"});
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, OnRun(0));
}

QTEST_MAIN(LinkBoxWidgetTest)
#include "link_box_widget_test.moc"
