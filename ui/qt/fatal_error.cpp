#include "ui/qt/fatal_error.h"

#include <string>

#include <QMessageBox>
#include <QString>

#include "convert/runtime.h"

namespace korimbo {
namespace {

ErrorBoxHook errorBoxHook = nullptr;
bool clicksStopped = false;

void ShowQtErrorBox(std::string_view caption, std::string_view text)
{
    // Qt draws a CR as a glyph of its own; the lines end in LF on screen.
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.remove(QLatin1Char('\r'));
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                    shown, QMessageBox::Ok);
    box.exec();
}

} // namespace

ErrorBoxHook SetErrorBoxHook(ErrorBoxHook hook)
{
    const ErrorBoxHook previous = errorBoxHook;
    errorBoxHook = hook;
    return previous;
}

void ReportFatalErrorInWindow(int code, std::string_view message)
{
    clicksStopped = true;
    const std::string text = FatalErrorText(code, message);
    (errorBoxHook ? errorBoxHook : &ShowQtErrorBox)("错误", text);
}

bool ClicksStopped()
{
    return clicksStopped;
}

} // namespace korimbo
