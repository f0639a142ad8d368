// The main window's layout and settings, checked against the layout table as the user sees it.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "gbk.h"
#include "ui/qt/link_box_widget.h"
#include "ui/qt/main_window.h"

using namespace korimbo;

class MainWindowTest : public QObject
{
    Q_OBJECT

  private slots:
    void init()
    {
        window = new MainWindow;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void cleanup() { delete window.data(); }

    void controls_data();
    void controls();
    void creationOrder();
    void frameAndPlace();
    void colourAndFont();
    void fixedLinks();
    void focusStartsInTheInputBox();

  private:
    QPointer<MainWindow> window;
};

void MainWindowTest::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("takesFocus");
    auto row = [](const char *name, const char *cls, QRect geometry, const char *caption, bool focus) {
        QTest::newRow(name) << QString::fromUtf8(name) << cls << geometry << QString::fromUtf8(caption) << focus;
    };
    row("编辑框1", "QLineEdit", {80, 32, 224, 24}, "", true);
    row("编辑框2", "QLineEdit", {80, 72, 224, 24}, "", true);
    row("编辑框3", "QLineEdit", {80, 104, 224, 24}, "", true);
    row("编辑框4", "QLineEdit", {80, 136, 224, 24}, "", true);
    row("编辑框5", "QLineEdit", {80, 168, 224, 24}, "", true);
    row("标签1", "QLabel", {16, 32, 56, 24}, "原始地址:", false);
    row("标签2", "QLabel", {16, 72, 56, 24}, "真实地址:", false);
    row("标签3", "QLabel", {16, 104, 56, 24}, "迅雷地址:", false);
    row("标签4", "QLabel", {16, 136, 56, 24}, "快车地址:", false);
    row("标签5", "QLabel", {16, 168, 56, 24}, "旋风地址:", false);
    row("按钮1", "QPushButton", {312, 32, 56, 24}, "转换", true);
    row("简单超文本框1", "korimbo::LinkBoxWidget", {312, 80, 56, 16}, "", true);
    row("简单超文本框2", "korimbo::LinkBoxWidget", {312, 112, 56, 16}, "", true);
    row("简单超文本框3", "korimbo::LinkBoxWidget", {312, 144, 56, 16}, "", true);
    row("简单超文本框4", "korimbo::LinkBoxWidget", {312, 176, 56, 16}, "", true);
    row("简单超文本框5", "korimbo::LinkBoxWidget", {280, 208, 80, 16}, "", true);
}

void MainWindowTest::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(bool, takesFocus);
    QWidget *control = window->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), className);
    QCOMPARE(control->geometry(), geometry);
    QVERIFY(control->isVisible());
    QVERIFY(control->isEnabled());
    QCOMPARE(control->focusPolicy() != Qt::NoFocus, takesFocus);
    if (auto *edit = qobject_cast<QLineEdit *>(control)) {
        QCOMPARE(edit->text(), caption);
        QVERIFY(!edit->isReadOnly());
        QCOMPARE(edit->echoMode(), QLineEdit::Normal);
        QVERIFY(edit->hasFrame());
    } else if (auto *label = qobject_cast<QLabel *>(control)) {
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignVCenter);
        QVERIFY(!label->wordWrap());
        QCOMPARE(label->frameShape(), QFrame::NoFrame);
    } else if (auto *button = qobject_cast<QPushButton *>(control)) {
        QCOMPARE(button->text(), caption);
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
}

void MainWindowTest::creationOrder()
{
    QStringList names;
    for (QObject *child : window->children())
        if (child->isWidgetType())
            names << child->objectName();
    const QStringList expected =
        QString::fromUtf8("编辑框1 编辑框2 编辑框3 编辑框4 编辑框5 按钮1 标签1 标签2 标签3 标签4 标签5 "
                          "简单超文本框1 简单超文本框2 简单超文本框3 简单超文本框4 简单超文本框5")
            .split(QLatin1Char(' '));
    QCOMPARE(names, expected);
}

void MainWindowTest::frameAndPlace()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Korimbo"));
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowStaysOnTopHint));
    QVERIFY(!window->windowIcon().isNull());
    // Where the desktop reports a frame, the frame is 381 x 267; where it reports none, the client
    // area is 375 x 238. (The offscreen platform reports a thin frame.)
    const QMargins margins = window->windowHandle()->frameMargins();
    if (margins.isNull())
        QCOMPARE(window->size(), QSize(375, 238));
    else
        QCOMPARE(window->frameGeometry().size(), QSize(381, 267));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = window->frameGeometry();
    QCOMPARE(frame.topLeft(), QPoint(screen.x() + (screen.width() - frame.width()) / 2,
                                     screen.y() + (screen.height() - frame.height()) / 2));
}

void MainWindowTest::colourAndFont()
{
    const QColor face = window->palette().color(QPalette::Button);
    const QImage image = window->grab().toImage();
    QCOMPARE(QColor(image.pixel(2, 2)), face);    // the window's background
    QCOMPARE(QColor(image.pixel(20, 60)), face);  // between the labels
    QCOMPARE(QColor(image.pixel(340, 90)), face); // an empty link box
    QCOMPARE(QColor(image.pixel(100, 44)), window->findChild<QLineEdit *>(QStringLiteral("编辑框1"))
                                               ->palette()
                                               .color(QPalette::Base)); // inside the input box
    for (QObject *child : window->children())
        if (auto *control = qobject_cast<QWidget *>(child); control && !qobject_cast<LinkBoxWidget *>(control)) {
            // The desktop's default GUI font (the edit boxes only skip text shaping).
            QCOMPARE(control->font().family(), QApplication::font().family());
            QCOMPARE(control->font().pointSizeF(), QApplication::font().pointSizeF());
            QCOMPARE(control->font().weight(), QApplication::font().weight());
        }
}

void MainWindowTest::fixedLinks()
{
    auto *box = window->findChild<LinkBoxWidget *>(QStringLiteral("简单超文本框5"));
    QVERIFY(box);
    QCOMPARE(box->Logic().Content(),
             test::Gbk("<a href=http://www.example.com/>访问官网</a>|<a href=http://home.example.com/>空间</a>"));
    const auto &runs = box->Logic().Runs();
    QCOMPARE(runs.size(), std::size_t(3));
    QCOMPARE(runs[1].link, -1);
    QCOMPARE(runs[1].text, std::string("|"));
    for (int number = 1; number <= 4; ++number)
        QVERIFY(window->LinkBox(number)->Logic().Content().empty());
}

void MainWindowTest::focusStartsInTheInputBox()
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(QApplication::focusWidget(), window->findChild<QWidget *>(QStringLiteral("编辑框1")));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
