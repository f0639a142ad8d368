// The window program's command line, run as a process without any display: --help and --version
// answer and exit 0, and a wrong command line gets the usage on standard error and status 2,
// all before a window is even tried.
#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>

class KorimboCommandTest : public QObject
{
    Q_OBJECT

  private slots:
    void answersWithoutDisplay_data();
    void answersWithoutDisplay();
    void usageErrors_data();
    void usageErrors();
};

namespace {

struct Run
{
    int status = -2;
    QByteArray out;
    QByteArray err;
};

Run Korimbo(const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KORIMBO_EXE), arguments);
    Run run;
    if (!process.waitForFinished(60'000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace

void KorimboCommandTest::answersWithoutDisplay_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QByteArray>("begins");
    QTest::newRow("help") << QStringLiteral("--help") << QByteArray("Usage: korimbo [ADDRESS]\n");
    QTest::newRow("version") << QStringLiteral("--version") << QByteArray("korimbo (Korimbo) " KORIMBO_VERSION "\n");
}

void KorimboCommandTest::answersWithoutDisplay()
{
    QFETCH(QString, option);
    QFETCH(QByteArray, begins);
    const Run run = Korimbo({option});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.out.startsWith(begins), run.out.constData());
    QVERIFY2(run.err.isEmpty(), run.err.constData());
}

void KorimboCommandTest::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("problem");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--verbose")}
                                    << QByteArray("korimbo: unrecognized option '--verbose'\n");
    QTest::newRow("Windows-only option") << QStringList{QStringLiteral("--register-links")}
                                         << QByteArray("korimbo: unrecognized option '--register-links'\n");
    QTest::newRow("two addresses") << QStringList{QStringLiteral("http://a/1"), QStringLiteral("http://a/2")}
                                   << QByteArray("korimbo: more than one argument\n");
    QTest::newRow("Qt's own option") << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen")}
                                     << QByteArray("korimbo: more than one argument\n");
}

void KorimboCommandTest::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, problem);
    const Run run = Korimbo(arguments);
    QCOMPARE(run.status, 2);
    QVERIFY2(run.out.isEmpty(), run.out.constData());
    QCOMPARE(run.err, problem + "Usage: korimbo [--help | --version | ADDRESS]\n");
}

QTEST_GUILESS_MAIN(KorimboCommandTest)
#include "korimbo_command_test.moc"
