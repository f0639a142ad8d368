#include "ui/open/browser_command.h"

#include <gtest/gtest.h>

namespace korimbo {
namespace {

struct CommandCase
{
    const char *name;
    std::string registered;
    std::string target;
    std::optional<std::string> line;
};

class BrowserCommand : public testing::TestWithParam<CommandCase>
{
};

TEST_P(BrowserCommand, BuildsAQuotedLine)
{
    const CommandCase &c = GetParam();
    EXPECT_EQ(BrowserCommandLine(c.registered, c.target), c.line);
}

const CommandCase kCommandCases[] = {
    {"QuotedPlaceholder", R"("C:\Program Files\B\b.exe" -- "%1")", "http://a/b c",
     R"("C:\Program Files\B\b.exe" --  "http://a/b c")"},
    {"BarePlaceholder", "b.exe %1", "http://x/", R"(b.exe  "http://x/")"},
    {"QuotedPlaceholderWins", R"(b.exe -x %1 "%1")", "u:1", R"(b.exe -x %1  "u:1")"},
    {"NoPlaceholder", "b.exe", "http://x/", R"(b.exe "http://x/")"},
    {"SpacesCannotAddArguments", "b.exe %1", "http://x/ --evil=1", R"(b.exe  "http://x/ --evil=1")"},
    {"QuoteInTargetIsNotRun", "b.exe %1", R"(http://x/" --evil)", std::nullopt},
    {"ControlCharacterIsNotRun", "b.exe %1", "http://x/\r\nc", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Lines, BrowserCommand, testing::ValuesIn(kCommandCases),
                         [](const testing::TestParamInfo<CommandCase> &info) { return info.param.name; });

// The line and its zero byte must fit the 520-byte buffer; one byte more and nothing is run.
TEST(BrowserCommandLine, FitsTheBufferOrIsNotRun)
{
    const std::string command = "b.exe"; // line = command + ' ' + '"' + target + '"'
    const std::string fits(kBrowserCommandCapacity - 1 - command.size() - 3, 'x');
    const auto line = BrowserCommandLine(command, fits);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->size() + 1, kBrowserCommandCapacity);
    EXPECT_EQ(BrowserCommandLine(command, fits + "x"), std::nullopt);
    EXPECT_EQ(BrowserCommandLine(std::string(600, 'c'), "u:1"), std::nullopt);
}

} // namespace
} // namespace korimbo
