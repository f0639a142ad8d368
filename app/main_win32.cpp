// The window program "korimbo.exe" for Windows: starts the window and returns its exit code.
// The command line is ignored.
#include <windows.h>

#include "ui/win32/window_program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return korimbo::RunWin32WindowProgram(instance);
}
