// Test helper: reports a fatal runtime error the way korimbo.exe does (the error box), so that the
// driver can read the box and watch the exit code.
#include <windows.h>

#include "convert/runtime.h"
#include "ui/win32/fatal_error.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    korimbo::SetFatalErrorHandler(&korimbo::ReportFatalErrorInMessageBox);
    korimbo::FatalRuntimeError(1, "数组成员引用下标超出定义范围");
}
