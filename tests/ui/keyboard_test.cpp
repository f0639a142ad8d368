// The window's keyboard rules: the Tab cycle, Esc, Enter and F1, focus on re-activation.
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

#include "ui/qt/link_box_widget.h"
#include "ui/qt/main_window.h"

using namespace korimbo;

class KeyboardTest : public QObject
{
    Q_OBJECT

  private slots:
    void init()
    {
        window = new MainWindow;
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    void cleanup() { delete window.data(); }

    void tabCycle_data();
    void tabCycle();
    void keys_data();
    void keys();
    void focusComesBackOnActivation();

  private:
    QWidget *Control(const QString &name) const { return window->findChild<QWidget *>(name); }
    QPointer<MainWindow> window;
};

void KeyboardTest::tabCycle_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("next");
    const QStringList cycle =
        QString::fromUtf8("编辑框1 编辑框2 编辑框3 编辑框4 编辑框5 按钮1 简单超文本框1 简单超文本框2 "
                          "简单超文本框3 简单超文本框4 简单超文本框5")
            .split(QLatin1Char(' '));
    for (int i = 0; i < cycle.size(); ++i)
        QTest::newRow(cycle[i].toUtf8().constData()) << cycle[i] << cycle[(i + 1) % cycle.size()];
}

void KeyboardTest::tabCycle()
{
    QFETCH(QString, from);
    QFETCH(QString, next);
    Control(from)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), Control(from));
    QTest::keyClick(Control(from), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), next);
    QTest::keyClick(Control(next), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), from);
    QTest::keyClick(Control(from), Qt::Key_Tab, Qt::ShiftModifier); // Shift+Tab as some desktops send it
    QVERIFY(QApplication::focusWidget()->objectName() != next);
}

void KeyboardTest::keys_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("closes");
    const QString input = QString::fromUtf8("编辑框1");
    for (const char *name : {"编辑框1", "编辑框5", "按钮1", "简单超文本框1", "简单超文本框5"})
        QTest::addRow("Esc in %s", name) << QString::fromUtf8(name) << int(Qt::Key_Escape) << 0 << true;
    QTest::newRow("Esc with keypad flag") << input << int(Qt::Key_Escape) << int(Qt::KeypadModifier) << true;
    QTest::newRow("Shift+Esc") << input << int(Qt::Key_Escape) << int(Qt::ShiftModifier) << false;
    QTest::newRow("Ctrl+Esc") << input << int(Qt::Key_Escape) << int(Qt::ControlModifier) << false;
    QTest::newRow("Alt+Esc") << input << int(Qt::Key_Escape) << int(Qt::AltModifier) << false;
    QTest::newRow("Enter in the input box") << input << int(Qt::Key_Return) << 0 << false;
    QTest::newRow("keypad Enter in the input box") << input << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false;
    QTest::newRow("Enter on the button") << QString::fromUtf8("按钮1") << int(Qt::Key_Return) << 0 << false;
    QTest::newRow("F1") << input << int(Qt::Key_F1) << 0 << false;
}

void KeyboardTest::keys()
{
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, closes);
    window->EditBox(1)->setText(QStringLiteral("http://a/b.rar"));
    Control(control)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), Control(control));
    QTest::keyClick(Control(control), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (closes) {
        QTRY_VERIFY(window.isNull()); // closed like the close box, and so deleted
        return;
    }
    QVERIFY(!window->IsClosing());
    QVERIFY(window->isVisible());
    QCOMPARE(QApplication::focusWidget(), Control(control)); // Enter moves nothing
    for (int number = 2; number <= 5; ++number)
        QVERIFY(window->EditBox(number)->text().isEmpty()); // and converts nothing
}

void KeyboardTest::focusComesBackOnActivation()
{
    QWidget *third = Control(QString::fromUtf8("编辑框3"));
    third->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), third);
    QWidget other;
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTRY_COMPARE(QApplication::focusWidget(), third);
}

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
