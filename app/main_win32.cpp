// The window program "korimbo.exe" for Windows: reads its command line, then starts the window
// (or registers it as the opener of links) and returns its exit code.
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include <shellapi.h>

#include "app/window_command_line.h"
#include "app/windows/link_registration.h"
#include "app/windows/program_text.h"
#include "ui/win32/gbk_wide.h"
#include "ui/win32/window_program.h"

namespace {

// The arguments after the program's name, as the wide command line holds them.
std::vector<std::wstring> WideArguments()
{
    std::vector<std::wstring> args;
    int count = 0;
    wchar_t **list = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; list && i < count; ++i)
        args.emplace_back(list[i]);
    LocalFree(list);
    return args;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    using korimbo::WindowCommandLine;
    const std::vector<std::wstring> wide = WideArguments();
    std::vector<std::string> args;
    for (const std::wstring &arg : wide)
        args.push_back(korimbo::Utf8FromWide(arg));
    const WindowCommandLine command = korimbo::ParseWindowCommandLine(args, korimbo::LinkOptions::With);
    switch (command.action) {
    case WindowCommandLine::Action::Help:
        return korimbo::ShowProgramText(korimbo::WindowHelpText(korimbo::LinkOptions::With)) ? 0 : 1;
    case WindowCommandLine::Action::Version:
        return korimbo::ShowProgramText(korimbo::WindowVersionText()) ? 0 : 1;
    case WindowCommandLine::Action::RegisterLinks:
        return korimbo::RunLinkRegistration(false);
    case WindowCommandLine::Action::UnregisterLinks:
        return korimbo::RunLinkRegistration(true);
    case WindowCommandLine::Action::UsageError:
        // Started from a link or a shortcut, the program has nowhere to print to: it opens the
        // window empty, as without arguments.
        return korimbo::RunWin32WindowProgram(instance);
    case WindowCommandLine::Action::Start:
        break;
    }
    // The address goes into the window as the wide command line holds it, as typed text does.
    return korimbo::RunWin32WindowProgram(
        instance, command.address ? std::optional<std::wstring>(wide[*command.address]) : std::nullopt);
}
