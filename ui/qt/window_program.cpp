#include "ui/qt/window_program.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <QApplication>
#include <QString>

#include "convert/runtime.h"
#include "ui/qt/events_hook.h"
#include "ui/qt/fatal_error.h"
#include "ui/qt/main_window.h"
#include "ui/qt/program_icon.h"

namespace korimbo {
namespace {

constexpr const char *kNoDisplayNamed =
    "korimbo: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are unset); "
    "to convert addresses without a window, use korimbo-convert\n";
constexpr const char *kDisplayUnreachable = "korimbo: cannot connect to a display to show the window on; "
                                            "to convert addresses without a window, use korimbo-convert\n";

[[noreturn]] void FailWithoutDisplay(const char *line)
{
    std::fputs(line, stderr);
    std::fflush(stderr);
    std::_Exit(-1);
}

bool NonEmpty(const char *variable)
{
    const char *value = std::getenv(variable);
    return value && *value;
}

// Whether a display may be there to connect to. Only X11 and Wayland desktops need one named.
bool DisplayNamed()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return NonEmpty("QT_QPA_PLATFORM") || NonEmpty("DISPLAY") || NonEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

// While the application starts, Qt's messages are held back: a platform that cannot start ends
// in our one line instead of Qt's abort message; otherwise they are passed on afterwards.
struct HeldMessage
{
    QtMsgType type;
    QString text;
};
std::vector<HeldMessage> heldMessages;
bool holdingMessages = false;
QtMessageHandler previousHandler = nullptr;

void HandleQtMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (holdingMessages) {
        if (type == QtFatalMsg)
            FailWithoutDisplay(kDisplayUnreachable);
        heldMessages.push_back({type, text});
        return;
    }
    previousHandler(type, context, text);
}

} // namespace

int RunWindowProgram(int argc, char **argv, const std::function<void(MainWindow &)> &beforeShow)
{
    if (!DisplayNamed())
        FailWithoutDisplay(kNoDisplayNamed);
    // The program takes no arguments: Qt sees only the program's name.
    static int qtArgc = 1;
    static char *qtArgv[] = {argc > 0 ? argv[0] : const_cast<char *>("korimbo"), nullptr};

    previousHandler = qInstallMessageHandler(&HandleQtMessage);
    holdingMessages = true;
    QApplication application(qtArgc, qtArgv);
    holdingMessages = false;
    for (const HeldMessage &message : heldMessages)
        previousHandler(message.type, QMessageLogContext(), message.text);
    heldMessages.clear();

    // Lets the desktop match the window to korimbo.desktop and its icon (taskbars on Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("korimbo"));
    QApplication::setWindowIcon(ProgramIcon());
    SetFatalErrorHandler(&ReportFatalErrorInWindow);
    InstallQtEventsHook();
    auto *window = new MainWindow; // deletes itself when closed
    if (beforeShow)
        beforeShow(*window);
    window->show();
    window->activateWindow();
    const int status = application.exec();
    RemoveQtEventsHook();
    return status;
}

} // namespace korimbo
