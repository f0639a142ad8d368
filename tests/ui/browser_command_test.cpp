#include "ui/open/browser_command.h"

#include <gtest/gtest.h>

namespace korimbo {
namespace {

struct CommandCase
{
    const char *name;
    std::wstring registered;
    std::wstring target;
    std::optional<std::wstring> line;
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
    {"QuotedPlaceholder", LR"("C:\Program Files\B\b.exe" -- "%1")", L"http://a/b c",
     LR"("C:\Program Files\B\b.exe" --  "http://a/b c")"},
    {"BarePlaceholder", L"b.exe %1", L"http://x/", LR"(b.exe  "http://x/")"},
    {"QuotedPlaceholderWins", LR"(b.exe -x %1 "%1")", L"u:1", LR"(b.exe -x %1  "u:1")"},
    {"NoPlaceholder", L"b.exe", L"http://x/", LR"(b.exe "http://x/")"},
    {"SpacesCannotAddArguments", L"b.exe %1", L"http://x/ --evil=1", LR"(b.exe  "http://x/ --evil=1")"},
    {"Unicode", L"b.exe %1", L"http://a/中文.rar", L"b.exe  \"http://a/中文.rar\""},
    {"InnerBackslashesStay", L"b.exe %1", LR"(http://a\b\\c)", LR"(b.exe  "http://a\b\\c")"},
    {"TrailingBackslashDoubled", L"b.exe %1", LR"(http://a/b\)", LR"(b.exe  "http://a/b\\")"},
    {"TrailingBackslashesDoubled", L"b.exe %1", LR"(http://a/b\\)", LR"(b.exe  "http://a/b\\\\")"},
    {"QuoteInTargetIsNotRun", L"b.exe %1", LR"(http://x/" --evil)", std::nullopt},
    {"ControlCharacterIsNotRun", L"b.exe %1", L"http://x/\r\nc", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Lines, BrowserCommand, testing::ValuesIn(kCommandCases),
                         [](const testing::TestParamInfo<CommandCase> &info) { return info.param.name; });

// The line and its zero must fit the 520-unit buffer; one more and nothing is run. Doubled
// backslashes count.
TEST(BrowserCommandLine, FitsTheBufferOrIsNotRun)
{
    const std::wstring command = L"b.exe"; // line = command + ' ' + '"' + target + '"'
    const std::wstring fits(kBrowserCommandCapacity - 1 - command.size() - 3, L'x');
    const auto line = BrowserCommandLine(command, fits);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->size() + 1, kBrowserCommandCapacity);
    EXPECT_EQ(BrowserCommandLine(command, fits + L"x"), std::nullopt);
    EXPECT_EQ(BrowserCommandLine(command, fits.substr(1) + L"\\"), std::nullopt);
    EXPECT_EQ(BrowserCommandLine(std::wstring(600, L'c'), L"u:1"), std::nullopt);
}

} // namespace
} // namespace korimbo
