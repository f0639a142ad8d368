#include "ui/qt/fatal_error.h"

#include <QMessageBox>
#include <QString>

namespace korimbo {
namespace {

ErrorBoxHook errorBoxHook = nullptr;

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
    ReportFatalError(code, message, errorBoxHook ? errorBoxHook : &ShowQtErrorBox);
}

} // namespace korimbo
