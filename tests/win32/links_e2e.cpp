// korimbo.exe as the opener of thunder://, flashget:// and qqdl:// links, end to end in a fresh
// Wine prefix: --register-links writes the per-user key of a free scheme but leaves the schemes
// that other programs open (for the machine, for the user) alone; the registered command started
// with a link shows the converted forms; --unregister-links leaves the registry as it was.
// Also korimbo.exe's own command line: an address to convert, --help shown in a box when there is
// no standard output, and wrong command lines.
//   korimbo_links_e2e KORIMBO_EXE
// Exit status 0 when every check holds; each failed check prints one line.
#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include <windows.h>

#include "driver.h"

namespace korimbo::e2e {
namespace {

const std::wstring kFlashgetCommand = L"\"C:\\Program Files\\FlashGet\\flashget.exe\" \"%1\"";
const std::wstring kQqdlCommand = L"\"C:\\Users\\me\\QQDownload\\qqdl.exe\" -url \"%1\"";

// The registry below `path` as sorted lines "key|value|type|data", for comparing two states.
void Dump(HKEY root, const std::wstring &path, std::vector<std::wstring> &lines)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    lines.push_back(path);
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD nameLength = 16384;
        DWORD type = 0;
        std::vector<BYTE> data(65536);
        DWORD size = static_cast<DWORD>(data.size());
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            break;
        std::wstring bytes;
        for (DWORD b = 0; b < size; ++b)
            bytes += std::to_wstring(data[b]) + L",";
        lines.push_back(path + L"|" + name + L"|" + std::to_wstring(type) + L"|" + bytes);
    }
    std::vector<std::wstring> subkeys;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        subkeys.emplace_back(name);
    }
    RegCloseKey(key);
    for (const std::wstring &subkey : subkeys)
        Dump(root, path.empty() ? subkey : path + L"\\" + subkey, lines);
}

// The parts of the registry that a link handler could touch: the user's whole branch, and the
// machine's classes.
std::vector<std::wstring> Snapshot()
{
    std::vector<std::wstring> lines;
    Dump(HKEY_CURRENT_USER, L"", lines);
    for (std::wstring &line : lines)
        line = L"HKCU\\" + line;
    std::vector<std::wstring> machine;
    Dump(HKEY_LOCAL_MACHINE, L"Software\\Classes", machine);
    lines.insert(lines.end(), machine.begin(), machine.end());
    std::sort(lines.begin(), lines.end());
    return lines;
}

void CheckSameRegistry(const std::vector<std::wstring> &before, const std::vector<std::wstring> &after)
{
    std::vector<std::wstring> changed;
    std::set_symmetric_difference(before.begin(), before.end(), after.begin(), after.end(),
                                  std::back_inserter(changed));
    for (std::size_t i = 0; i < changed.size() && i < 10; ++i)
        Check(false, "registry differs at " + Utf8(changed[i]));
    Check(changed.empty(), "the registry is as it was before --register-links");
}

bool KeyExists(HKEY root, const std::wstring &path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::wstring DefaultValue(HKEY root, const std::wstring &path, const wchar_t *name = nullptr)
{
    wchar_t text[2048] = {};
    DWORD size = sizeof text;
    if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return L"<none>";
    return text;
}

bool SetDefault(HKEY root, const std::wstring &path, const wchar_t *name, const std::wstring &value)
{
    return RegSetKeyValueW(root, path.c_str(), name, REG_SZ, value.c_str(),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

// Runs korimbo.exe with `arguments` and no standard handles, waits for its message box captioned
// "Korimbo", returns the box's text and closes it; `code` receives the exit code.
std::wstring RunWithMessageBox(const std::wstring &exe, const std::wstring &arguments, long &code)
{
    Program program;
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES; // all three null: nowhere to print
    code = -2;
    if (!Check(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &program.process) != FALSE,
               "starting korimbo.exe " + Utf8(arguments)))
        return {};
    HWND box = nullptr;
    WaitUntil([&] {
        for (box = FindWindowW(L"#32770", L"Korimbo"); box; box = FindWindowExW(nullptr, box, L"#32770", L"Korimbo")) {
            DWORD pid = 0;
            GetWindowThreadProcessId(box, &pid);
            if (pid == program.process.dwProcessId && IsWindowVisible(box))
                return true;
        }
        return false;
    });
    std::wstring text;
    if (Check(box != nullptr, "a message box for " + Utf8(arguments))) {
        for (HWND child : Children(box))
            if (ClassOf(child) == L"Static" && !TextOf(child).empty())
                text = TextOf(child);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    code = WaitForExit(program);
    return text;
}

void CheckMessage(const std::wstring &exe, const std::wstring &arguments, const std::wstring &want)
{
    long code = 0;
    const std::wstring text = RunWithMessageBox(exe, arguments, code);
    Check(text == want, Utf8(arguments) + " says: " + Utf8(text));
    Check(code == 0, Utf8(arguments) + " exit code " + std::to_string(code));
}

struct StartCase
{
    const wchar_t *name;
    std::wstring link;
    std::array<const wchar_t *, 5> boxes;
};

// Links given to the registered command.
const StartCase kStartCases[] = {
    {L"registered command, thunder link",
     L"thunder://QUFodHRwOi8vYS9iLnJhclpa",
     {L"thunder://QUFodHRwOi8vYS9iLnJhclpa", L"http://a/b.rar", L"thunder://QUFodHRwOi8vYS9iLnJhclpa",
      L"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&1926", L"qqdl://aHR0cDovL2EvYi5yYXI="}},
    {L"registered command, qqdl link",
     L"qqdl://aHR0cDovL2Ev1tAucmFy",
     {L"qqdl://aHR0cDovL2Ev1tAucmFy", L"http://a/中.rar", L"thunder://QUFodHRwOi8vYS/W0C5yYXJaWg==",
      L"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL9bQLnJhcltGTEFTSEdFVF0=&1926", L"qqdl://aHR0cDovL2Ev1tAucmFy"}},
};

// Starts the program with `commandLine`, checks the five edit boxes once the conversion has run,
// closes it with Esc and checks the exit code.
void CheckStartedWindow(const std::string &name, const std::wstring &commandLine,
                        const std::array<const wchar_t *, 5> &boxes)
{
    Program program;
    if (!Check(StartCommandLine(L"", commandLine, program), name + ": the window shows"))
        return;
    const std::vector<HWND> c = Children(program.window);
    if (Check(c.size() == 16, name + ": sixteen controls")) {
        WaitUntil([&] { return TextOf(c[1]) == boxes[1]; });
        for (std::size_t box = 0; box < boxes.size(); ++box)
            Check(TextOf(c[box]) == boxes[box],
                  name + ": 编辑框" + std::to_string(box + 1) + " holds " + Utf8(TextOf(c[box])));
        PostMessageW(c.front(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    }
    const long code = WaitForExit(program);
    Check(code == 0, name + ": exit code " + std::to_string(code) + " after Esc");
}

void CheckCommandLines(const std::wstring &exe)
{
    const std::wstring quoted = L"\"" + exe + L"\"";
    CheckStartedWindow("a Chinese address", quoted + L" http://a/中.rar",
                       {L"http://a/中.rar", L"http://a/中.rar", L"thunder://QUFodHRwOi8vYS/W0C5yYXJaWg==",
                        L"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL9bQLnJhcltGTEFTSEdFVF0=&1926",
                        L"qqdl://aHR0cDovL2Ev1tAucmFy"});
    // A command line the program does not understand opens the window empty.
    for (const wchar_t *arguments : {L"--verbose", L"http://a/1 http://a/2"})
        CheckStartedWindow("korimbo.exe " + Utf8(arguments), quoted + L" " + arguments, {L"", L"", L"", L"", L""});
    long code = 0;
    const std::wstring help = RunWithMessageBox(exe, L"--help", code);
    Check(help.rfind(L"Usage: korimbo [ADDRESS]", 0) == 0 && help.find(L"--register-links") != std::wstring::npos,
          "--help without standard output shows the help in a box: " + Utf8(help.substr(0, 40)));
    Check(code == 0, "--help exit code " + std::to_string(code));
}

void CheckLinkHandler(const std::wstring &exe)
{
    for (const wchar_t *scheme : {L"thunder", L"flashget", L"qqdl"})
        if (!Check(!KeyExists(HKEY_CLASSES_ROOT, scheme) &&
                       !KeyExists(HKEY_CURRENT_USER, std::wstring(L"Software\\Classes\\") + scheme),
                   "a fresh prefix: nothing opens " + Utf8(scheme) + " yet"))
            return;
    // Every Windows user has this key; a new Wine prefix makes it only when something is written.
    HKEY classes = nullptr;
    Check(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_READ, nullptr, &classes,
                          nullptr) == ERROR_SUCCESS,
          "the user's classes key");
    RegCloseKey(classes);
    // Download managers open flashget: links for the whole machine and qqdl: links for this user.
    const std::wstring machineFlashget = L"Software\\Classes\\flashget";
    const std::wstring userQqdl = L"Software\\Classes\\qqdl";
    for (const auto &[root, key, command] : {std::tuple(HKEY_LOCAL_MACHINE, machineFlashget, kFlashgetCommand),
                                             std::tuple(HKEY_CURRENT_USER, userQqdl, kQqdlCommand)})
        Check(SetDefault(root, key, nullptr, L"URL:Download manager") && SetDefault(root, key, L"URL Protocol", L"") &&
                  SetDefault(root, key + L"\\shell\\open\\command", nullptr, command),
              "registering another program in " + Utf8(key));
    const std::vector<std::wstring> before = Snapshot();

    const std::wstring others = L"flashget://：已由其他程序打开，未作改动（" + kFlashgetCommand +
                                L"）\nqqdl://：已由其他程序打开，未作改动（" + kQqdlCommand + L"）\n";
    CheckMessage(exe, L"--register-links", L"thunder://：已登记，此类链接由 Korimbo 打开\n" + others);
    const std::wstring thunder = L"Software\\Classes\\thunder";
    const std::wstring command = DefaultValue(HKEY_CURRENT_USER, thunder + L"\\shell\\open\\command");
    const std::wstring want = L"\"" + exe + L"\" \"%1\"";
    Check(CompareStringOrdinal(command.c_str(), -1, want.c_str(), -1, TRUE) == CSTR_EQUAL,
          "thunder opens with " + Utf8(command));
    Check(DefaultValue(HKEY_CURRENT_USER, thunder, L"URL Protocol").empty(), "thunder is a URL protocol");
    Check(!KeyExists(HKEY_CURRENT_USER, machineFlashget), "nothing is written for flashget");
    Check(DefaultValue(HKEY_CURRENT_USER, userQqdl + L"\\shell\\open\\command") == kQqdlCommand,
          "qqdl still opens with the other program");

    for (const StartCase &test : kStartCases) {
        std::wstring commandLine = command;
        const std::size_t at = commandLine.find(L"%1");
        if (Check(at != std::wstring::npos, Utf8(test.name) + ": the command takes the link"))
            CheckStartedWindow(Utf8(test.name), commandLine.replace(at, 2, test.link), test.boxes);
    }

    CheckMessage(exe, L"--register-links", L"thunder://：早已由 Korimbo 打开\n" + others);
    CheckMessage(exe, L"--unregister-links",
                 L"thunder://：已取消登记，Korimbo 不再打开此类链接\nflashget://：不是 Korimbo 登记的，未作改动\n"
                 L"qqdl://：不是 Korimbo 登记的，未作改动\n");
    CheckSameRegistry(before, Snapshot());
    Check(RegDeleteTreeW(HKEY_LOCAL_MACHINE, machineFlashget.c_str()) == ERROR_SUCCESS &&
              RegDeleteTreeW(HKEY_CURRENT_USER, userQqdl.c_str()) == ERROR_SUCCESS,
          "removing the other programs");
}

} // namespace
} // namespace korimbo::e2e

int wmain(int argc, wchar_t **argv)
{
    using namespace korimbo::e2e;
    if (argc != 2) {
        std::fputs("usage: korimbo_links_e2e KORIMBO_EXE\n", stderr);
        return 2;
    }
    const std::wstring exe = WindowsPathW(argv[1]);
    CheckCommandLines(exe);
    CheckLinkHandler(exe);
    return Failures() == 0 ? 0 : 1;
}
