#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "convert/address.h"

// The command line of korimbo-convert: its options, their values and the help text.
namespace korimbo {

enum class OutputFormat { Text, Json };

struct ConvertOptions
{
    // The one form that text output prints; nullopt prints all four.
    std::optional<OutputKind> only;
    OutputFormat format = OutputFormat::Text;
    // The code page of the bytes inside links, as the system's converter names it.
    std::string charset = "GBK";
    // The ADDRESS arguments in order; when there are none, standard input is read.
    std::vector<std::string> addresses;
};

struct ParsedCommand
{
    enum class Action { Convert, Help, Version, UsageError };
    Action action = Action::Convert;
    ConvertOptions options;
    // For UsageError: what was wrong, as one sentence without the program name.
    std::string error;
};

// Reads the arguments after the program name. Options may come before, between and after
// addresses until "--"; "--help" and "--version" act as soon as they are met, so an error in an
// earlier argument wins over them. "-" and the empty string are addresses.
ParsedCommand ParseCommand(std::span<const std::string> args);

// The text that --help prints.
std::string_view HelpText();

// The line that --version prints, with its line end.
std::string VersionText();

} // namespace korimbo
