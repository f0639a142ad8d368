#include "ui/logic/open_rule.h"

#include <limits>

#include <gtest/gtest.h>

#include "gbk.h"

namespace korimbo {
namespace {

struct TargetCase
{
    const char *name;
    std::string target;
    std::optional<std::string> opened; // what reaches the desktop; nothing when refused
};

class OpenRule : public testing::TestWithParam<TargetCase>
{
};

TEST_P(OpenRule, OpensOnlyDownloadAddresses)
{
    const TargetCase &c = GetParam();
    EXPECT_EQ(OpenableForm(c.target), c.opened);
    EXPECT_EQ(IsOpenableTarget(c.target), c.opened.has_value());
}

std::optional<std::string> Same(const std::string &target)
{
    return target;
}

const std::optional<std::string> kRefused = std::nullopt;

const TargetCase kTargetCases[] = {
    // The download schemes, in any letter case, opened as they stand.
    {"Http", "http://a/b.rar", Same("http://a/b.rar")},
    {"UpperCase", "HTTP://A/B", Same("HTTP://A/B")},
    {"Https", "https://a/b?x=1&y=2", Same("https://a/b?x=1&y=2")},
    {"Ftp", "ftp://h/a.iso", Same("ftp://h/a.iso")},
    {"Thunder", "thunder://QUFodHRwOi8vYS9iLnJhclpa", Same("thunder://QUFodHRwOi8vYS9iLnJhclpa")},
    {"FlashGet", "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&1926",
     Same("Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&1926")},
    {"Whirlwind", "qqdl://aHR0cDovL2EvYi5yYXI=", Same("qqdl://aHR0cDovL2EvYi5yYXI=")},
    {"Ed2k", "ed2k://|file|a|1|h|/", Same("ed2k://|file|a|1|h|/")},
    {"Magnet", "magnet:?xt=urn:btih:0123456789abcdef&dn=a", Same("magnet:?xt=urn:btih:0123456789abcdef&dn=a")},
    {"GbkAddress", test::Gbk("http://a/中文.rar"), Same(test::Gbk("http://a/中文.rar"))},
    // A space cannot split the target: web addresses carry it as %20, other targets are refused.
    {"HttpSpace", "http://a/b c d.rar", Same("http://a/b%20c%20d.rar")},
    {"FtpSpace", "FTP://h/a b", Same("FTP://h/a%20b")},
    {"ThunderSpace", "thunder://QUFo dHRw", kRefused},
    {"MagnetSpace", "magnet:?xt=a b", kRefused},
    {"SpaceArgument", "qqdl://x --evil", kRefused},
    // Schemes that start programs, reach local files or run script.
    {"File", "file:///etc/passwd", kRefused},
    {"Shell", "shell:AppsFolder\\x!App", kRefused},
    {"SearchMs", "search-ms:query=x", kRefused},
    {"MsMsdt", "ms-msdt:/id x", kRefused},
    {"MsSettings", "ms-settings:", kRefused},
    {"JavaScript", "javascript:alert(1)", kRefused},
    {"Data", "data:text/html,x", kRefused},
    {"Smb", "smb://host/share", kRefused},
    {"Mailto", "mailto:x@example.com", kRefused},
    {"SchemeWithDownloadPrefix", "https-evil://a", kRefused},
    {"SchemeWithDownloadSuffix", "xhttp://a", kRefused},
    // Paths and other texts that are no address.
    {"DrivePath", R"(C:\Windows\System32\cmd.exe)", kRefused},
    {"UncPath", R"(\\host\share)", kRefused},
    {"AbsolutePath", "/usr/bin/xterm", kRefused},
    {"ConversionFailed", test::Gbk("转换失败"), kRefused},
    {"Empty", "", kRefused},
    {"NoScheme", "://a", kRefused},
    {"LeadingSpace", " http://a", kRefused},
    // Bytes that could end a quoted argument or a line.
    {"Quote", "thunder://x\" --evil \"", kRefused},
    {"QuoteInWebAddress", "http://a\" --gpu-launcher=\"calc\" --", kRefused},
    {"CarriageReturn", "http://a/\rb", kRefused},
    {"LineFeed", "http://a/\nb", kRefused},
    {"Tab", "http://a/\tb", kRefused},
    {"Delete", "http://a/\x7F", kRefused},
    {"Zero", std::string("http://a/\0b", 11), kRefused},
};

INSTANTIATE_TEST_SUITE_P(Targets, OpenRule, testing::ValuesIn(kTargetCases),
                         [](const testing::TestParamInfo<TargetCase> &info) { return info.param.name; });

// Where a program argument is limited (Linux: 128 KiB with its zero), a longer target would not
// arrive: it gets no hand pointer and does not open. GBK characters count as the three UTF-8
// bytes they become, spaces as the "%20" they become.
TEST(OpenRule, RefusesTargetsLongerThanAnArgumentCanHold)
{
    if (kMaxTargetUtf8Bytes == std::numeric_limits<std::size_t>::max())
        GTEST_SKIP() << "no limit on this platform";
    const std::string prefix = "http://a/";
    const std::string longest = prefix + std::string(kMaxTargetUtf8Bytes - prefix.size(), 'x');
    EXPECT_TRUE(IsOpenableTarget(longest));
    EXPECT_FALSE(IsOpenableTarget(longest + "x"));
    const std::string chinese = test::Gbk("中"); // three bytes in UTF-8
    EXPECT_TRUE(IsOpenableTarget(longest.substr(0, longest.size() - 3) + chinese));
    EXPECT_FALSE(IsOpenableTarget(longest.substr(0, longest.size() - 2) + chinese));
    EXPECT_TRUE(IsOpenableTarget(longest.substr(0, longest.size() - 3) + " "));
    EXPECT_FALSE(IsOpenableTarget(longest.substr(0, longest.size() - 2) + " "));
}

} // namespace
} // namespace korimbo
