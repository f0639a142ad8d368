#include "ui/logic/link_html.h"

#include <gtest/gtest.h>

#include "gbk.h"

namespace korimbo {
namespace {

using test::Gbk;

struct LinkCase
{
    const char *name;
    std::string address; // UTF-8
    OutputKind kind;
    std::string html; // UTF-8
};

class LinkHtmlRows : public testing::TestWithParam<LinkCase>
{
};

TEST_P(LinkHtmlRows, WrapsTheAddressInALabelledLink)
{
    const LinkCase &c = GetParam();
    EXPECT_EQ(LinkHtml(AnsiText(Gbk(c.address)), c.kind).bytes(), Gbk(c.html));
}

const LinkCase kLinkCases[] = {
    {"Real", "http://a/b.rar", RealAddress, R"(<a href="http://a/b.rar">直接下载</a>)"},
    {"Thunder", "x", ThunderLink, R"(<a href="x">迅雷下载</a>)"},
    {"FlashGet", "x&1926", FlashGetLink, R"(<a href="x&amp;1926">快车下载</a>)"},
    {"Whirlwind", "x", WhirlwindLink, R"(<a href="x">旋风下载</a>)"},
    {"Empty", "", RealAddress, R"(<a href="">直接下载</a>)"},
    {"Escaped", R"(a"b<c>d&e)", RealAddress, R"(<a href="a&quot;b&lt;c&gt;d&amp;e">直接下载</a>)"},
    {"Chinese", "http://a/中文.rar", RealAddress, R"(<a href="http://a/中文.rar">直接下载</a>)"},
};

INSTANTIATE_TEST_SUITE_P(Links, LinkHtmlRows, testing::ValuesIn(kLinkCases),
                         [](const testing::TestParamInfo<LinkCase> &info) { return info.param.name; });

TEST(FixedLinksHtml, LinksBothAddressesUnquotedAroundAPlainBar)
{
    EXPECT_EQ(FixedLinksHtml("http://www.example.com/", "http://home.example.com/").bytes(),
              Gbk("<a href=http://www.example.com/>访问官网</a>|<a href=http://home.example.com/>空间</a>"));
}

} // namespace
} // namespace korimbo
