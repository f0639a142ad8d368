// The window as assistive technology sees it, through Qt's accessibility interfaces: edit boxes
// named by their labels, link boxes whose links are children with the role Link, and a press
// action that opens exactly what a click opens.
#include <string>
#include <vector>

#include <QAccessible>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "fake_opener.h"
#include "ui/open/open_target.h"
#include "ui/qt/link_box_widget.h"
#include "ui/qt/main_window.h"

using namespace korimbo;
using korimbo::test::FakeOpener;
using korimbo::test::opened;

class AccessibilityTest : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase() { SetDesktopOpener(&FakeOpener); }
    void init()
    {
        opened.clear();
        window = new MainWindow;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void cleanup() { delete window.data(); }

    void editBoxesAreNamedByTheirLabels_data();
    void editBoxesAreNamedByTheirLabels();
    void fixedLinksAreTwoLinkChildren();
    void convertedLinksFollowTheContent_data();
    void convertedLinksFollowTheContent();

  private:
    void Convert(const QString &input)
    {
        window->EditBox(1)->setText(input);
        QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("按钮1")), Qt::LeftButton);
    }
    QAccessibleInterface *Interface(QObject *object) { return QAccessible::queryAccessibleInterface(object); }

    QPointer<MainWindow> window;
};

void AccessibilityTest::editBoxesAreNamedByTheirLabels_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("name");
    QTest::newRow("编辑框1") << 1 << QStringLiteral("原始地址");
    QTest::newRow("编辑框2") << 2 << QStringLiteral("真实地址");
    QTest::newRow("编辑框3") << 3 << QStringLiteral("迅雷地址");
    QTest::newRow("编辑框4") << 4 << QStringLiteral("快车地址");
    QTest::newRow("编辑框5") << 5 << QStringLiteral("旋风地址");
}

void AccessibilityTest::editBoxesAreNamedByTheirLabels()
{
    QFETCH(int, number);
    QFETCH(QString, name);
    QAccessibleInterface *edit = Interface(window->EditBox(number));
    QVERIFY(edit);
    QCOMPARE(edit->role(), QAccessible::EditableText);
    QCOMPARE(edit->text(QAccessible::Name), name);
    const auto labels = edit->relations(QAccessible::Label);
    QCOMPARE(labels.size(), qsizetype(1));
    QCOMPARE(labels.first().first->text(QAccessible::Name), name + QLatin1Char(':'));
}

void AccessibilityTest::fixedLinksAreTwoLinkChildren()
{
    QAccessibleInterface *box = Interface(window->LinkBox(5));
    QVERIFY(box);
    QCOMPARE(box->role(), QAccessible::Grouping);
    QCOMPARE(box->text(QAccessible::Name), QStringLiteral("访问官网|空间"));
    QCOMPARE(box->childCount(), 2);
    const QStringList names{QStringLiteral("访问官网"), QStringLiteral("空间")};
    const QStringList targets{QStringLiteral("http://www.example.com/"), QStringLiteral("http://home.example.com/")};
    for (int i = 0; i < 2; ++i) {
        QAccessibleInterface *link = box->child(i);
        QVERIFY(link && link->isValid());
        QCOMPARE(link->role(), QAccessible::Link);
        QCOMPARE(link->text(QAccessible::Name), names[i]);
        QCOMPARE(link->text(QAccessible::Value), targets[i]);
        QCOMPARE(link->text(QAccessible::Description), targets[i]);
        QCOMPARE(link->parent(), box);
        QCOMPARE(box->indexOfChild(link), i);
        QCOMPARE(box->childAt(link->rect().center().x(), link->rect().center().y()), link);
        QVERIFY(link->actionInterface());
        QCOMPARE(link->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    }
    QCOMPARE(Interface(window->LinkBox(1))->childCount(), 0); // nothing converted yet
}

void AccessibilityTest::convertedLinksFollowTheContent_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("opens");
    QTest::newRow("web address") << QStringLiteral("http://a/中文.rar") << QStringLiteral("http://a/中文.rar") << true;
    QTest::newRow("refused scheme") << QStringLiteral("ms-msdt:/id x") << QStringLiteral("ms-msdt:/id x") << false;
    QTest::newRow("failed conversion") << QString() << QStringLiteral("转换失败") << false;
}

void AccessibilityTest::convertedLinksFollowTheContent()
{
    QFETCH(QString, input);
    QFETCH(QString, target);
    QFETCH(bool, opens);
    QAccessibleInterface *box = Interface(window->LinkBox(1));
    Convert(QStringLiteral("http://before/"));
    QAccessibleInterface *link = box->child(0);
    Convert(input);
    QCOMPARE(box->childCount(), 1);
    QCOMPARE(box->child(0), link); // the same child, reading the new link
    QCOMPARE(link->text(QAccessible::Name), QStringLiteral("直接下载"));
    QCOMPARE(link->text(QAccessible::Value), target);
    link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(opened.size(), std::size_t(opens ? 1 : 0));
    // What a press opens is what a click opens.
    const QPoint onLink = link->rect().center();
    QTest::mouseClick(window->LinkBox(1), Qt::LeftButton, {}, window->LinkBox(1)->mapFromGlobal(onLink));
    QCOMPARE(opened.size(), std::size_t(opens ? 2 : 0));
    if (opens)
        QCOMPARE(opened[0], opened[1]);
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
