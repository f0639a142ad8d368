// The window program's report of a fatal runtime error. Stopping the clicks lasts for the rest
// of the process, so this is a program of its own.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "convert/runtime.h"
#include "fake_opener.h"
#include "ui/open/open_target.h"
#include "ui/qt/fatal_error.h"
#include "ui/qt/link_box_widget.h"
#include "ui/qt/main_window.h"

using namespace korimbo;
using korimbo::test::FakeOpener;
using korimbo::test::opened;

namespace {

struct Box
{
    std::string caption;
    std::string text;
};
std::vector<Box> boxes;
void RecordBox(std::string_view caption, std::string_view text)
{
    boxes.push_back({std::string(caption), std::string(text)});
}

} // namespace

class FatalErrorTest : public QObject
{
    Q_OBJECT

  private slots:
    void reportText_data();
    void reportText();
    void qtBoxShowsTheReport();
    void clicksStopButLinksStillOpen();
};

void FatalErrorTest::reportText_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("text");
    QTest::newRow("index above the length")
        << 1 << QStringLiteral("数组成员引用下标超出定义范围")
        << QStringLiteral("运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n");
    QTest::newRow("code 0 has no code line")
        << 0 << QStringLiteral("不能整除于零") << QStringLiteral("运行时出错!\r\n\r\n错误信息：不能整除于零\r\n");
    QTest::newRow("no message") << 4 << QString() << QStringLiteral("运行时出错!\r\n\r\n错误代码：4\r\n\r\n");
}

void FatalErrorTest::reportText()
{
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(QString, text);
    boxes.clear();
    SetErrorBoxHook(&RecordBox);
    ReportFatalErrorInWindow(code, message.toStdString());
    QCOMPARE(boxes.size(), std::size_t(1));
    QCOMPARE(boxes[0].caption, std::string("错误"));
    QCOMPARE(QString::fromStdString(boxes[0].text), text);
}

void FatalErrorTest::qtBoxShowsTheReport()
{
    SetErrorBoxHook(nullptr);
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        QVERIFY(!box->parentWidget()); // no owner window
        box->accept();
    });
    ReportFatalErrorInWindow(1, "数组成员引用下标超出定义范围");
    QCOMPARE(title, QStringLiteral("错误"));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(text, QStringLiteral("运行时出错!\n\n错误代码：1\n\n错误信息：数组成员引用下标超出定义范围\n"));
}

void FatalErrorTest::clicksStopButLinksStillOpen()
{
    SetErrorBoxHook(&RecordBox);
    ReportFatalErrorInWindow(0, "指定窗口尚未载入");
    QVERIFY(ClicksStopped());
    QPointer<MainWindow> window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->EditBox(1)->setText(QStringLiteral("http://a/b.rar"));
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("按钮1")), Qt::LeftButton);
    QVERIFY(window->EditBox(2)->text().isEmpty());
    // The fixed links still open.
    const DesktopOpener previous = SetDesktopOpener(&FakeOpener);
    LinkBoxWidget *box = window->LinkBox(5);
    const Rect link = box->Logic().Runs().at(0).box;
    const QPoint where = box->mapTo(window, QPoint(link.x + 2, link.y + 2));
    QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, where);
    QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, where);
    SetDesktopOpener(previous);
    QCOMPARE(opened, std::vector<std::string>{"http://www.example.com/"});
    delete window.data();
}

QTEST_MAIN(FatalErrorTest)
#include "fatal_error_test.moc"
