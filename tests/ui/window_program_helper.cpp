// Runs the real window program with one scripted action, for tests that need it as a process:
//   escape               - Esc in the input box once the window is up
//   close-during-decode  - click "转换" on a long thunder link and close the window mid-decode
// Extra arguments are passed on (the program must ignore them). An error box is written to
// standard error instead of shown.
#include <cstdio>
#include <cstring>
#include <string>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "convert/address.h"
#include "convert/runtime.h"
#include "ui/qt/events_hook.h"
#include "ui/qt/fatal_error.h"
#include "ui/qt/main_window.h"
#include "ui/qt/window_program.h"

using namespace korimbo;

namespace {

void PrintErrorBox(std::string_view, std::string_view text)
{
    std::fprintf(stderr, "ERROR BOX: %.*s\n", static_cast<int>(text.size()), text.data());
}

std::int64_t fastNow = 0;
std::int64_t FastClock()
{
    return fastNow += 1'000'000;
}

QPointer<MainWindow> watched;
PendingEventsHook qtHook = nullptr;
bool closeAsked = false;
bool decodedAfterClose = false;

void CloseOnFirstCall()
{
    if (!closeAsked) {
        closeAsked = true;
        QMetaObject::invokeMethod(watched, "close", Qt::QueuedConnection);
    } else if (!watched || watched->IsClosing()) {
        decodedAfterClose = true;
    }
    qtHook();
}

} // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    SetErrorBoxHook(&PrintErrorBox);
    const int status = RunWindowProgram(argc, argv, [&mode](MainWindow &window) {
        watched = &window;
        if (mode == "escape") {
            QTimer::singleShot(0, &window, [&window] {
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(window.EditBox(1), &escape);
            });
        } else if (mode == "close-during-decode") {
            InstallQtEventsHook(&FastClock);
            qtHook = SetPendingEventsHook(&CloseOnFirstCall);
            const AnsiText link = EncodeThunder(AnsiText("http://a/" + std::string(200'000, 'x')));
            window.EditBox(1)->setText(QString::fromLatin1(link.c_str()));
            QTimer::singleShot(0, &window,
                               [&window] { window.findChild<QPushButton *>(QStringLiteral("按钮1"))->click(); });
        }
    });
    if (decodedAfterClose)
        std::puts("closed during decode");
    return status;
}
