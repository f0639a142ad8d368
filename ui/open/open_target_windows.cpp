#include "ui/open/open_target.h"

#include <optional>
#include <string>
#include <vector>

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include "ui/open/browser_command.h"

namespace korimbo {
namespace {

constexpr UINT kGbk = 936;

// Registry values are read into buffers of this many UTF-16 units.
constexpr DWORD kValueCapacity = 260;

// The GBK bytes as UTF-16, whatever the system's ANSI code page; nothing when they are not GBK.
std::optional<std::wstring> WideFromGbk(std::string_view gbk)
{
    const int size = static_cast<int>(gbk.size());
    const int length = MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data(), size, wide.data(), length);
    return wide;
}

// The default value of `subKey` under `key`, or nothing when it cannot be read.
std::optional<std::wstring> ReadDefaultValue(HKEY key, const std::wstring &subKey)
{
    wchar_t value[kValueCapacity + 1] = {};
    LONG size = kValueCapacity * sizeof(wchar_t);
    if (RegQueryValueW(key, subKey.empty() ? nullptr : subKey.c_str(), value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    // The stored value need not end in a zero; the extra unit above always does.
    return std::wstring(value, wcsnlen(value, kValueCapacity));
}

// The web browser's registered command line (the ".htm" class's shell\open\command).
std::optional<std::wstring> BrowserCommand()
{
    HKEY htm = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L".htm", 0, KEY_QUERY_VALUE, &htm) != ERROR_SUCCESS)
        return std::nullopt;
    const std::optional<std::wstring> htmClass = ReadDefaultValue(htm, L"");
    RegCloseKey(htm);
    if (!htmClass)
        return std::nullopt;
    return ReadDefaultValue(HKEY_CLASSES_ROOT, *htmClass + L"\\shell\\open\\command");
}

void RunCommandLine(const std::wstring &commandLine)
{
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end()); // CreateProcessW may write to it
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

} // namespace

void OpenWithDesktop(std::string_view targetGbk)
{
    const std::optional<std::wstring> target = WideFromGbk(targetGbk);
    if (!target)
        return;
    // The shell may hand the target to COM-based handlers: it asks for COM on the calling thread,
    // set up once, for the program's life.
    static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    (void)com;
    const HINSTANCE shell = ShellExecuteW(nullptr, L"open", target->c_str(), nullptr, nullptr, SW_SHOW);
    if (reinterpret_cast<INT_PTR>(shell) > 32)
        return;
    const std::optional<std::wstring> browser = BrowserCommand();
    if (!browser)
        return;
    // A target that cannot be quoted, or a line too long for the fallback's buffer, is not run.
    const std::optional<std::wstring> commandLine = BrowserCommandLine(*browser, *target);
    if (commandLine)
        RunCommandLine(*commandLine);
}

} // namespace korimbo
