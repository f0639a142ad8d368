// The window program as a process: start without a display, exit status after closing, and a
// close during a long decode.
#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>

class WindowProgramTest : public QObject
{
    Q_OBJECT

  private slots:
    void withoutDisplay_data();
    void withoutDisplay();
    void escapeClosesWithStatusZero();
    void closeDuringDecodeEndsWithStatusZero();
};

namespace {

struct Run
{
    int status = -2;
    QString out;
    QString err;
};

Run Start(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(60'000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QProcessEnvironment Offscreen()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}

} // namespace

void WindowProgramTest::withoutDisplay_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("display");
    QTest::newRow("no display named") << QString() << QString();
    QTest::newRow("display that is not there") << QStringLiteral("xcb") << QStringLiteral(":97");
}

void WindowProgramTest::withoutDisplay()
{
    QFETCH(QString, platform);
    QFETCH(QString, display);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    if (!platform.isEmpty())
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    const Run run = Start(QStringLiteral(KORIMBO_EXE), {}, environment);
    QCOMPARE(run.status, 255); // exit status -1
    QVERIFY(run.out.isEmpty());
    QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
    QVERIFY2(run.err.endsWith(QLatin1Char('\n')), qPrintable(run.err));
    QVERIFY2(run.err.contains(QStringLiteral("display")), qPrintable(run.err));
    QVERIFY2(run.err.contains(QStringLiteral("korimbo-convert")), qPrintable(run.err));
}

void WindowProgramTest::escapeClosesWithStatusZero()
{
    // The arguments after the mode are the program's own: it ignores them, Qt included.
    const Run run = Start(QStringLiteral(KORIMBO_HELPER),
                          {QStringLiteral("escape"), QStringLiteral("-platform"), QStringLiteral("xcb")}, Offscreen());
    QCOMPARE(run.status, 0);
    QVERIFY2(!run.err.contains(QStringLiteral("ERROR BOX")), qPrintable(run.err));
}

void WindowProgramTest::closeDuringDecodeEndsWithStatusZero()
{
    const Run run = Start(QStringLiteral(KORIMBO_HELPER), {QStringLiteral("close-during-decode")}, Offscreen());
    QCOMPARE(run.status, 0);
    QVERIFY2(run.out.contains(QStringLiteral("closed during decode")), qPrintable(run.out));
    QVERIFY2(!run.err.contains(QStringLiteral("ERROR BOX")), qPrintable(run.err));
    QVERIFY2(!run.err.contains(QStringLiteral("运行时出错")), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(WindowProgramTest)
#include "window_program_test.moc"
