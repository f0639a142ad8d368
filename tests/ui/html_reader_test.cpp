#include "ui/logic/html_reader.h"

#include <gtest/gtest.h>

#include "gbk.h"
#include "ui/logic/html_entities.h"

namespace korimbo {
namespace {

using test::Gbk;
using test::Utf8;

struct Run
{
    std::string text; // UTF-8
    int link;
};

struct ReadCase
{
    const char *name;
    std::string html; // UTF-8, turned into GBK before reading
    std::vector<Run> runs;
    std::vector<std::string> targets; // UTF-8
};

class ReadLinkHtmlTest : public testing::TestWithParam<ReadCase>
{
};

TEST_P(ReadLinkHtmlTest, GivesRunsAndTargets)
{
    const ReadCase &c = GetParam();
    const HtmlDocument document = ReadLinkHtml(Gbk(c.html));
    ASSERT_EQ(document.runs.size(), c.runs.size());
    for (std::size_t i = 0; i < c.runs.size(); ++i) {
        EXPECT_EQ(Utf8(document.runs[i].text), c.runs[i].text) << "run " << i;
        EXPECT_EQ(document.runs[i].link, c.runs[i].link) << "run " << i;
    }
    ASSERT_EQ(document.targets.size(), c.targets.size());
    for (std::size_t i = 0; i < c.targets.size(); ++i)
        EXPECT_EQ(Utf8(document.targets[i]), c.targets[i]) << "target " << i;
}

const ReadCase kReadCases[] = {
    {"Empty", "", {}, {}},
    {"RealAddressLink", R"(<a href="http://a/b.rar">直接下载</a>)", {{"直接下载", 0}}, {"http://a/b.rar"}},
    {"FixedLinksUnquoted",
     "<a href=http://www.example.com/>访问官网</a>|<a href=http://home.example.com/>空间</a>",
     {{"访问官网", 0}, {"|", -1}, {"空间", 1}},
     {"http://www.example.com/", "http://home.example.com/"}},
    {"OtherAmpersandStaysLiteral",
     R"(<a href="Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&1926">快车下载</a>)",
     {{"快车下载", 0}},
     {"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&1926"}},
    {"EscapedAmpersandInValue", R"(<a href="x==&amp;1926">t</a>)", {{"t", 0}}, {"x==&1926"}},
    {"FourReferencesDecodedOnce",
     R"(<a href="&quot;&lt;&gt;&amp;amp;">&lt;b&gt; &amp;</a>)",
     {{"<b> &", 0}},
     {"\"<>&amp;"}},
    {"UnknownReferencesLiteral", "&nbsp;&#65;&AMP;&amp", {{"&nbsp;&#65;&AMP;&amp", -1}}, {}},
    {"UnescapedGreaterThanCutsTheTag", R"(<a href="http://a/b>c.rar">直接下载</a>)", {{"c.rar\">直接下载", 0}}, {""}},
    {"UnescapedQuoteEndsTheTarget", R"(<a href="http://a"b.rar">直接下载</a>)", {{"直接下载", 0}}, {"http://a"}},
    {"UnquotedValueEndsAtSpace", "<a href=http://x/ title=y>t</a>", {{"t", 0}}, {"http://x/"}},
    {"SpacesAroundEquals", R"(<a href = "http://x/">t</a>)", {{"t", 0}}, {"http://x/"}},
    {"QuotedValueKeepsSpaces", R"(<a href="http://a/b c.rar">t</a>)", {{"t", 0}}, {"http://a/b c.rar"}},
    {"ValuelessAttributeBeforeHref", R"(<a download href="u:x">t</a>)", {{"t", 0}}, {"u:x"}},
    {"NoHrefGivesEmptyTarget", "<a>t</a>", {{"t", 0}}, {""}},
    {"OtherTagsDropped", R"(<b href="x">t</b><br>u)", {{"tu", -1}}, {}},
    {"NamesAreExact", R"(<A HREF="x">t</A>)", {{"t", -1}}, {}},
    {"LessThanWithoutTagEndIsText", "a<b", {{"a<b", -1}}, {}},
    {"StrayCloseAndUnclosedLink", "</a>x<a href=u:1>y", {{"x", -1}, {"y", 0}}, {"u:1"}},
    {"NestedLinkRestoresOuter",
     "<a href=u:1>a<a href=u:2>b</a>c</a>d",
     {{"a", 0}, {"b", 1}, {"c", 0}, {"d", -1}},
     {"u:1", "u:2"}},
};

INSTANTIATE_TEST_SUITE_P(Reading, ReadLinkHtmlTest, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase> &info) { return info.param.name; });

TEST(ReadLinkHtml, StopsAtFirstZeroByte)
{
    const HtmlDocument document = ReadLinkHtml(std::string_view("a\0<a href=x:>b</a>", 18));
    ASSERT_EQ(document.runs.size(), 1u);
    EXPECT_EQ(document.runs[0].text, "a");
    EXPECT_TRUE(document.targets.empty());
}

// Whatever an address holds, the escaped link reads back as exactly that address.
TEST(ReadLinkHtml, EscapedAddressReadsBackWhole)
{
    for (const std::string address : {R"(http://a" ><a href="x)", "http://a/b>c&amp;d<e", "&quot;", "a&&b==&1926"}) {
        const HtmlDocument document = ReadLinkHtml("<a href=\"" + EscapeHtml(address) + "\">t</a>");
        ASSERT_EQ(document.targets.size(), 1u) << address;
        EXPECT_EQ(document.targets[0], address);
        ASSERT_EQ(document.runs.size(), 1u) << address;
        EXPECT_EQ(document.runs[0].text, "t");
    }
}

TEST(EscapeHtml, WritesTheFourReferences)
{
    EXPECT_EQ(EscapeHtml(R"(a&b"c<d>e)"), "a&amp;b&quot;c&lt;d&gt;e");
    EXPECT_EQ(EscapeHtml(Gbk("中文")), Gbk("中文"));
}

} // namespace
} // namespace korimbo
