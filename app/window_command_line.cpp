#include "app/window_command_line.h"

#ifndef KORIMBO_VERSION
#error "KORIMBO_VERSION must name the project's version"
#endif

namespace korimbo {
namespace {

constexpr std::string_view kHelpStart = R"(Usage: korimbo [ADDRESS]
Show the Korimbo window, which converts a download address between the plain
("real") address and the thunder://, Flashget:// and qqdl:// link forms.

With ADDRESS, in any of these four forms, the window opens with ADDRESS in its
input box (原始地址) and converts it once it is shown, as if its button (转换)
had been clicked.  This is how desktops hand Korimbo the thunder://,
flashget:// and qqdl:// links that are opened on them.  Without ADDRESS the
window opens empty.

Options:
  --help              display this help and exit
  --version           output version information and exit
)";

constexpr std::string_view kLinkOptions = R"(  --register-links    make Korimbo open thunder://, flashget:// and qqdl://
                        links for the current user, for each of these schemes
                        that no program opens yet; a message tells what was
                        done
  --unregister-links  remove what --register-links wrote, and nothing else
)";

constexpr std::string_view kExitStatusPosix = R"(
Exit status:
  0    the window was closed, or --help or --version
  2    usage error: an unknown option, or more than one argument
  255  no display to show the window on (korimbo-convert converts without
       one), or a runtime error
)";

constexpr std::string_view kExitStatusWindows = R"(
A command line that Korimbo does not understand opens the window empty.

Exit status:
  0    the window was closed, or an option did its work
  1    --register-links or --unregister-links could not change the registry
  -1   a runtime error
)";

WindowCommandLine UsageError(std::string problem)
{
    WindowCommandLine command;
    command.action = WindowCommandLine::Action::UsageError;
    command.problem = std::move(problem);
    return command;
}

} // namespace

WindowCommandLine ParseWindowCommandLine(std::span<const std::string> args, LinkOptions links)
{
    WindowCommandLine command;
    if (args.empty())
        return command;
    if (args.size() > 1)
        return UsageError("more than one argument");
    const std::string &arg = args.front();
    const bool withLinks = links == LinkOptions::With;
    if (arg == "--help") {
        command.action = WindowCommandLine::Action::Help;
    } else if (arg == "--version") {
        command.action = WindowCommandLine::Action::Version;
    } else if (withLinks && arg == "--register-links") {
        command.action = WindowCommandLine::Action::RegisterLinks;
    } else if (withLinks && arg == "--unregister-links") {
        command.action = WindowCommandLine::Action::UnregisterLinks;
    } else if (arg.size() > 1 && arg.front() == '-') {
        return UsageError("unrecognized option '" + arg + "'");
    } else {
        command.address = 0;
    }
    return command;
}

std::string WindowHelpText(LinkOptions links)
{
    std::string text(kHelpStart);
    if (links == LinkOptions::With) {
        text += kLinkOptions;
        text += kExitStatusWindows;
    } else {
        text += kExitStatusPosix;
    }
    return text;
}

std::string_view WindowVersionText()
{
    return "korimbo (Korimbo) " KORIMBO_VERSION "\n";
}

std::string WindowUsageText(std::string_view problem)
{
    std::string text = "korimbo: ";
    text += problem;
    text += "\nUsage: korimbo [--help | --version | ADDRESS]\n";
    return text;
}

} // namespace korimbo
