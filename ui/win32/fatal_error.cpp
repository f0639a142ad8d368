#include "ui/win32/fatal_error.h"

#include <string>

#include <windows.h>

#include "convert/runtime.h"
#include "ui/win32/gbk_wide.h"

namespace korimbo {
namespace {

bool clicksStopped = false;

} // namespace

void ReportFatalErrorInMessageBox(int code, std::string_view message)
{
    clicksStopped = true;
    const std::wstring text = WideFromUtf8(FatalErrorText(code, message));
    MessageBoxW(nullptr, text.c_str(), L"错误", MB_ICONERROR | MB_OK);
}

bool ClicksStopped()
{
    return clicksStopped;
}

} // namespace korimbo
