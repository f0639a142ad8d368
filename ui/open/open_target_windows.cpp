#include "ui/open/open_target.h"

#include <cstring>
#include <optional>
#include <string>

#include <windows.h>
#include <shellapi.h>

#include "ui/open/browser_command.h"

namespace korimbo {
namespace {

// Registry values are read into buffers of this many bytes.
constexpr LONG kValueCapacity = 260;

// The default value of HKEY_CLASSES_ROOT\<subKey>, or nothing when it cannot be read.
std::optional<std::string> ReadClassesRootValue(HKEY key, const std::string &subKey)
{
    char value[kValueCapacity + 1] = {};
    LONG size = kValueCapacity;
    if (RegQueryValueA(key, subKey.empty() ? nullptr : subKey.c_str(), value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    // The stored value need not end in a zero byte; the extra byte above always does.
    return std::string(value, strnlen(value, kValueCapacity));
}

// The web browser's registered command line (the ".htm" class's shell\open\command).
std::optional<std::string> BrowserCommand()
{
    HKEY htm = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_QUERY_VALUE, &htm) != ERROR_SUCCESS)
        return std::nullopt;
    const std::optional<std::string> htmClass = ReadClassesRootValue(htm, "");
    RegCloseKey(htm);
    if (!htmClass)
        return std::nullopt;
    return ReadClassesRootValue(HKEY_CLASSES_ROOT, *htmClass + "\\shell\\open\\command");
}

} // namespace

void OpenWithDesktop(std::string_view targetGbk)
{
    const std::string target(targetGbk); // the ANSI API takes the GBK bytes as they are
    const HINSTANCE shell = ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOW);
    if (reinterpret_cast<INT_PTR>(shell) > 32)
        return;
    const std::optional<std::string> browser = BrowserCommand();
    if (!browser)
        return;
    // A target that cannot be quoted, or a line too long for the fallback's buffer, is not run.
    const std::optional<std::string> commandLine = BrowserCommandLine(*browser, target);
    if (commandLine)
        WinExec(commandLine->c_str(), SW_SHOW);
}

} // namespace korimbo
