#pragma once

#include <string>
#include <vector>

#include <windows.h>

// Driving korimbo.exe from another process through the Win32 API, as a user's tools would: start
// it, find its window and controls, send them messages, read them back, watch it end.
namespace korimbo::e2e {

// A Unix path (as CMake writes them) as the Windows path Wine maps it to (Z:\...); other paths
// unchanged.
std::wstring WindowsPath(const std::string &path);

// A started korimbo.exe and its main window.
struct Program
{
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

// Starts the program and waits (up to 30 s) until its visible window titled "Korimbo" exists;
// `shownAfterMs`, if given, receives the time from the start to the window found. False, with
// the program ended, when the window does not come.
bool Start(const std::wstring &exe, Program &program, double *shownAfterMs = nullptr);

// Start with a whole command line, which names the program first as Windows passes it on; with
// `exe` empty, Windows finds the program in the command line.
bool StartCommandLine(const std::wstring &exe, const std::wstring &commandLine, Program &program,
                      double *shownAfterMs = nullptr);

// Waits up to `milliseconds` for the program to end; its exit code, or -2 on time-out (the
// program is then ended).
long WaitForExit(Program &program, DWORD milliseconds = 15000);

// The window's children in creation order (GW_CHILD, then GW_HWNDNEXT).
std::vector<HWND> Children(HWND window);

// The control's class name, its text (WM_GETTEXT) and its rectangle in the parent's client area.
std::wstring ClassOf(HWND control);
std::wstring TextOf(HWND control);
RECT ClientRectOf(HWND control);

// The window that has the keyboard focus in the program's UI thread.
HWND FocusOf(const Program &program);

// UTF-8 for messages.
std::string Utf8(const std::wstring &text);

// WindowsPath of a wide command-line argument.
std::wstring WindowsPathW(const wchar_t *path);

// Prints "FAIL: what" when the check does not hold; returns whether it holds.
bool Check(bool ok, const std::string &what);

// The number of failed checks so far.
int Failures();

// Waits up to 5 s for the condition, checking it every 10 ms; whether it came true.
template <typename Condition> bool WaitUntil(Condition condition)
{
    for (int waited = 0; waited < 5000; waited += 10) {
        if (condition())
            return true;
        Sleep(10);
    }
    return condition();
}

} // namespace korimbo::e2e
