#include "driver.h"

#include <cstdio>

namespace korimbo::e2e {

std::wstring WindowsPath(const std::string &path)
{
    std::wstring wide(path.begin(), path.end()); // CMake's build paths are ASCII here
    if (wide.empty() || wide.front() != L'/')
        return wide;
    for (wchar_t &c : wide)
        if (c == L'/')
            c = L'\\';
    return L"Z:" + wide;
}

bool Start(const std::wstring &exe, Program &program, double *shownAfterMs)
{
    return StartCommandLine(exe, L"\"" + exe + L"\"", program, shownAfterMs);
}

bool StartCommandLine(const std::wstring &exe, const std::wstring &commandLine, Program &program, double *shownAfterMs)
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER started;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&started);
    std::wstring line = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.empty() ? nullptr : exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &program.process))
        return false;
    for (int waited = 0; waited < 30000; waited += 1) {
        for (HWND window = FindWindowW(nullptr, L"Korimbo"); window;
             window = FindWindowExW(nullptr, window, nullptr, L"Korimbo")) {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == program.process.dwProcessId && IsWindowVisible(window)) {
                LARGE_INTEGER now;
                QueryPerformanceCounter(&now);
                if (shownAfterMs)
                    *shownAfterMs = 1000.0 * static_cast<double>(now.QuadPart - started.QuadPart) /
                                    static_cast<double>(frequency.QuadPart);
                program.window = window;
                WaitForInputIdle(program.process.hProcess, 10000);
                return true;
            }
        }
        if (WaitForSingleObject(program.process.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    WaitForExit(program, 0);
    return false;
}

long WaitForExit(Program &program, DWORD milliseconds)
{
    if (!program.process.hProcess)
        return -2;
    long result = -2;
    if (WaitForSingleObject(program.process.hProcess, milliseconds) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(program.process.hProcess, &code);
        result = static_cast<long>(code);
    } else {
        TerminateProcess(program.process.hProcess, 99);
        WaitForSingleObject(program.process.hProcess, 5000);
    }
    CloseHandle(program.process.hThread);
    CloseHandle(program.process.hProcess);
    program.process = {};
    return result;
}

std::vector<HWND> Children(HWND window)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::wstring ClassOf(HWND control)
{
    wchar_t name[64] = {};
    GetClassNameW(control, name, 64);
    return name;
}

std::wstring TextOf(HWND control)
{
    const LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

RECT ClientRectOf(HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

HWND FocusOf(const Program &program)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(program.process.dwThreadId, &info);
    return info.hwndFocus;
}

std::string Utf8(const std::wstring &text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::string out(
        static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
    return out;
}

std::wstring WindowsPathW(const wchar_t *path)
{
    return WindowsPath(Utf8(path));
}

namespace {
int failures = 0;
}

bool Check(bool ok, const std::string &what)
{
    if (!ok) {
        ++failures;
        std::printf("FAIL: %s\n", what.c_str());
        std::fflush(stdout);
    }
    return ok;
}

int Failures()
{
    return failures;
}

} // namespace korimbo::e2e
