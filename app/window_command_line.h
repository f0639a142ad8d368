#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The command line of the window program, shared by its Qt and Win32 builds: nothing (an empty
// window), one address to convert at start-up, --help or --version; on Windows also
// --register-links and --unregister-links.
namespace korimbo {

// Whether a build knows the options that make Korimbo the opener of links (Windows only).
enum class LinkOptions { Without, With };

struct WindowCommandLine
{
    enum class Action { Start, Help, Version, RegisterLinks, UnregisterLinks, UsageError };
    Action action = Action::Start;
    // With Start: the position in the arguments of the address to convert, when one was given.
    std::optional<std::size_t> address;
    // With UsageError: what is wrong, as "unrecognized option '--x'".
    std::string problem;
};

// Reads the arguments (the program's name left out). No argument starts an empty window. One
// argument that does not begin with "-" (or is "-" alone) is an address, as the desktop hands
// over a link; --help and --version, and with LinkOptions::With --register-links and
// --unregister-links, are the options. Any other option, or more than one argument, is a usage
// error.
WindowCommandLine ParseWindowCommandLine(std::span<const std::string> args, LinkOptions links);

// The --help text, ending in a line break; it names the link options only for LinkOptions::With.
std::string WindowHelpText(LinkOptions links);

// The --version text: "korimbo (Korimbo) VERSION" and a line break.
std::string_view WindowVersionText();

// The two lines for standard error after a usage error: the problem and the usage.
std::string WindowUsageText(std::string_view problem);

} // namespace korimbo
