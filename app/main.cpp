// The window program "korimbo": reads its command line, then starts the window and returns its
// exit status. --help and --version need no display.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "app/convert_at_start.h"
#include "app/window_command_line.h"
#include "ui/qt/window_program.h"

namespace {

// Writes `text` to standard output: status 0, or 1 with a message when it could not be written.
int Print(std::string_view text)
{
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0)
        return 0;
    std::fputs("korimbo: error writing standard output\n", stderr);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    using korimbo::WindowCommandLine;
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const WindowCommandLine command = korimbo::ParseWindowCommandLine(args, korimbo::LinkOptions::Without);
    switch (command.action) {
    case WindowCommandLine::Action::Help:
        return Print(korimbo::WindowHelpText(korimbo::LinkOptions::Without));
    case WindowCommandLine::Action::Version:
        return Print(korimbo::WindowVersionText());
    case WindowCommandLine::Action::UsageError:
        std::fputs(korimbo::WindowUsageText(command.problem).c_str(), stderr);
        return 2;
    default:
        break;
    }
    if (!command.address)
        return korimbo::RunWindowProgram(argc, argv);
    // The desktop hands the link over as UTF-8; it becomes GBK when the Convert command reads it.
    const QString address = QString::fromUtf8(args[*command.address]);
    return korimbo::RunWindowProgram(
        argc, argv, [&address](korimbo::MainWindow &window) { korimbo::ConvertAtStart(window, address); });
}
