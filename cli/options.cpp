#include "cli/options.h"

#include <array>
#include <utility>

#ifndef KORIMBO_VERSION
#error "KORIMBO_VERSION must name the project's version"
#endif

namespace korimbo {
namespace {

constexpr std::string_view kHelp = R"(Usage: korimbo-convert [OPTION]... [ADDRESS]...
Convert download addresses between the plain ("real") address and the
thunder://, Flashget:// and qqdl:// link forms.

Each ADDRESS is converted in turn; with none, each line of standard input is.
A line ends at LF, and a CR just before the LF belongs to the line end.
Nothing else is trimmed, and an empty line is an input too.

Options:
  --to=FORM         print only FORM: real, thunder, flashget or qqdl;
                      all (the default) prints the four forms
  --format=FORMAT   text (the default) or json
  --charset=NAME    code page of the bytes inside links (default GBK):
                      GBK, latin1, utf-8, or another name the system
                      knows (iconv's names; on Windows ISO-8859-N, and
                      cpNNN or windows-NNN for code page NNN); latin1
                      carries every byte unchanged (byte 0xNN is
                      U+00NN); utf-8 serves links of UTF-8
  --help            display this help and exit
  --version         output version information and exit
  --                treat every later argument as an ADDRESS

An option's value may follow it as the next argument or after '='.

Text output: with one FORM, one line per input holding that form, so that
the output pipes line for line.  With all, a block of four lines per input,
  real: ADDRESS
  thunder: LINK
  flashget: LINK
  qqdl: LINK
with an empty line between blocks.  A result holding a line break (LF or CR)
cannot be shown on its line: it is reported as an error (json shows it).

JSON output: one object per input on a line of its own, always with all six
keys in this order, whatever --to says (shown here on two lines):
  {"input": ..., "ok": true|false, "real": ..., "thunder": ...,
   "flashget": ..., "qqdl": ...}
Strings escape '"', '\' and control characters (as \u00XX); other characters
are written as they are.

"ok" is false when the input was empty or not recognised (a link prefix
occurs in it but does not begin it); every form is then "转换失败".
Such an input is still printed, noted on standard error, and makes the exit
status 1.

Text is read and written in the locale's encoding (in the C or POSIX locale,
which names plain ASCII, UTF-8 is used) and converted to and from NAME
around each conversion.  On Windows the locale's encoding is UTF-8: the
arguments are read as Unicode, and standard input and output are UTF-8
bytes with line ends passed unchanged.

An input that cannot be converted prints nothing on standard output: one
that cannot be represented in NAME, holds a zero byte, is not valid in the
locale's encoding or is too long, and one whose result cannot be shown in
the locale's encoding (such as a damaged link's address that is not valid
NAME).  A message on standard error names it as "argument N" (the Nth
ADDRESS) or "line N" of standard input; the other inputs are still
converted.  Output is flushed whenever the program waits for input.

Exit status:
  0  every input was converted and recognised
  1  some input could not be converted, was empty or was not recognised,
     or reading or writing failed
  2  usage error: unknown option, missing or bad value, unusable charset
)";

struct FormName
{
    std::string_view name;
    std::optional<OutputKind> kind;
};

constexpr std::array<FormName, 5> kForms{{
    {"real", RealAddress},
    {"thunder", ThunderLink},
    {"flashget", FlashGetLink},
    {"qqdl", WhirlwindLink},
    {"all", std::nullopt},
}};

ParsedCommand UsageError(std::string message)
{
    ParsedCommand command;
    command.action = ParsedCommand::Action::UsageError;
    command.error = std::move(message);
    return command;
}

// Stores an option's value; returns the error, empty when the value is good.
std::string ApplyValue(ConvertOptions &options, std::string_view name, const std::string &value)
{
    if (name == "--to") {
        for (const FormName &form : kForms) {
            if (form.name == value) {
                options.only = form.kind;
                return {};
            }
        }
        return "invalid value '" + value + "' for --to (use real, thunder, flashget, qqdl or all)";
    }
    if (name == "--format") {
        if (value == "text" || value == "json") {
            options.format = value == "text" ? OutputFormat::Text : OutputFormat::Json;
            return {};
        }
        return "invalid value '" + value + "' for --format (use text or json)";
    }
    // --charset. iconv would read a "//" suffix as a request to drop or approximate characters,
    // which would lose text silently.
    if (value.empty() || value.find('/') != std::string::npos)
        return "invalid charset name '" + value + "'";
    options.charset = value;
    return {};
}

} // namespace

ParsedCommand ParseCommand(std::span<const std::string> args)
{
    ParsedCommand command;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            command.options.addresses.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg[1] != '-')
            return UsageError("unrecognized option '" + arg + "'");
        const std::size_t equals = arg.find('=');
        const std::string_view name = std::string_view(arg).substr(0, equals);
        const bool hasValue = equals != std::string::npos;
        if (name == "--help" || name == "--version") {
            if (hasValue)
                return UsageError("option '" + std::string(name) + "' doesn't allow an argument");
            command.action = name == "--help" ? ParsedCommand::Action::Help : ParsedCommand::Action::Version;
            return command;
        }
        if (name != "--to" && name != "--format" && name != "--charset")
            return UsageError("unrecognized option '" + arg + "'");
        std::string value;
        if (hasValue) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return UsageError("option '" + std::string(name) + "' requires an argument");
        }
        if (std::string error = ApplyValue(command.options, name, value); !error.empty())
            return UsageError(std::move(error));
    }
    return command;
}

std::string_view HelpText()
{
    return kHelp;
}

std::string VersionText()
{
    return "korimbo-convert (Korimbo) " KORIMBO_VERSION "\n";
}

} // namespace korimbo
