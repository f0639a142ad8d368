#include "ui/win32/fatal_error.h"

#include <string>

#include <windows.h>

#include "ui/logic/fatal_report.h"
#include "ui/win32/gbk_wide.h"

namespace korimbo {
namespace {

void ShowMessageBox(std::string_view caption, std::string_view text)
{
    MessageBoxW(nullptr, WideFromUtf8(text).c_str(), WideFromUtf8(caption).c_str(), MB_ICONERROR | MB_OK);
}

} // namespace

void ReportFatalErrorInMessageBox(int code, std::string_view message)
{
    ReportFatalError(code, message, &ShowMessageBox);
}

} // namespace korimbo
