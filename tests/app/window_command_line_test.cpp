#include "app/window_command_line.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace korimbo {
namespace {

using Action = WindowCommandLine::Action;

struct Case
{
    const char *name;
    std::vector<std::string> args;
    LinkOptions links;
    Action action;
    bool hasAddress;
};

const Case kCases[] = {
    {"Nothing", {}, LinkOptions::Without, Action::Start, false},
    {"ThunderLink", {"thunder://QUFodHRwOi8vYS9iLnJhclpa"}, LinkOptions::Without, Action::Start, true},
    {"AddressWithSpaces", {"http://a/b c.rar"}, LinkOptions::With, Action::Start, true},
    {"EmptyArgument", {""}, LinkOptions::Without, Action::Start, true},
    {"LoneDash", {"-"}, LinkOptions::Without, Action::Start, true},
    {"Help", {"--help"}, LinkOptions::Without, Action::Help, false},
    {"Version", {"--version"}, LinkOptions::With, Action::Version, false},
    {"RegisterLinks", {"--register-links"}, LinkOptions::With, Action::RegisterLinks, false},
    {"UnregisterLinks", {"--unregister-links"}, LinkOptions::With, Action::UnregisterLinks, false},
    {"RegisterLinksWhereUnknown", {"--register-links"}, LinkOptions::Without, Action::UsageError, false},
    {"UnknownLongOption", {"--verbose"}, LinkOptions::With, Action::UsageError, false},
    {"UnknownShortOption", {"-h"}, LinkOptions::Without, Action::UsageError, false},
    {"HelpWithValue", {"--help=all"}, LinkOptions::Without, Action::UsageError, false},
    {"QtOption", {"-platform"}, LinkOptions::Without, Action::UsageError, false},
    {"TwoAddresses", {"http://a/1", "http://a/2"}, LinkOptions::Without, Action::UsageError, false},
    {"HelpAndMore", {"--help", "x"}, LinkOptions::Without, Action::UsageError, false},
    // A link split by quotes on a Windows command line must not smuggle in an option.
    {"SplitLinkWithOption", {"thunder://x", "--register-links"}, LinkOptions::With, Action::UsageError, false},
};

class ParseWindowCommandLineTest : public testing::TestWithParam<Case>
{
};

TEST_P(ParseWindowCommandLineTest, ReadsTheArguments)
{
    const Case &c = GetParam();
    const WindowCommandLine command = ParseWindowCommandLine(c.args, c.links);
    EXPECT_EQ(command.action, c.action);
    EXPECT_EQ(command.address, c.hasAddress ? std::optional<std::size_t>(0) : std::nullopt);
    EXPECT_EQ(command.problem.empty(), c.action != Action::UsageError);
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseWindowCommandLineTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case> &info) { return std::string(info.param.name); });

TEST(WindowCommandLineTest, UsageErrorsNameTheProblem)
{
    EXPECT_EQ(ParseWindowCommandLine(std::vector<std::string>{"--verbose"}, LinkOptions::With).problem,
              "unrecognized option '--verbose'");
    EXPECT_EQ(ParseWindowCommandLine(std::vector<std::string>{"a", "b"}, LinkOptions::With).problem,
              "more than one argument");
    EXPECT_EQ(WindowUsageText("more than one argument"),
              "korimbo: more than one argument\nUsage: korimbo [--help | --version | ADDRESS]\n");
}

TEST(WindowCommandLineTest, HelpNamesTheLinkOptionsOnlyWhereTheyExist)
{
    const std::string with = WindowHelpText(LinkOptions::With);
    const std::string without = WindowHelpText(LinkOptions::Without);
    EXPECT_NE(with.find("--register-links"), std::string::npos);
    EXPECT_NE(with.find("--unregister-links"), std::string::npos);
    EXPECT_EQ(without.find("-register-links"), std::string::npos);
    for (const std::string &text : {with, without}) {
        EXPECT_EQ(text.rfind("Usage: korimbo [ADDRESS]\n", 0), 0u);
        EXPECT_EQ(text.back(), '\n');
    }
}

TEST(WindowCommandLineTest, VersionNamesTheProjectVersion)
{
    EXPECT_EQ(WindowVersionText(), "korimbo (Korimbo) " KORIMBO_VERSION "\n");
}

} // namespace
} // namespace korimbo
