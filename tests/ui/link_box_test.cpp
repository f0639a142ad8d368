#include "ui/logic/link_box.h"

#include <gtest/gtest.h>

#include "fixed_measurer.h"
#include "gbk.h"

namespace korimbo {
namespace {

using test::Gbk;

// Six pixels per byte from x = 1: "AB" covers 1..12, "|" 13..18, "CD" 19..30, "|" 31..36,
// "EF" 37..48, "|" 49..54, "GH" 55..66, "|" 67..72, "IJ" 73..84; the line covers y 1..14.
const std::string kContent = Gbk("<a href=http://s/>AB</a>|<a href=file:///etc/passwd>CD</a>|<a href=\"\">EF</a>|"
                                 "<a href=\"转换失败\">GH</a>|<a href=C:\\Windows\\System32\\cmd.exe>IJ</a>");

class LinkBoxFixture : public testing::Test
{
  protected:
    LinkBoxFixture() { box.SetContent(kContent); }

    test::FixedMeasurer measurer;
    LinkBox box{measurer};
};

TEST_F(LinkBoxFixture, LaysOutOneLineFromOnePixelInAndDown)
{
    const std::vector<PlacedRun> &runs = box.Runs();
    ASSERT_EQ(runs.size(), 9u);
    int x = kLineLeft;
    for (const PlacedRun &run : runs) {
        EXPECT_EQ(run.box, (Rect{x, kLineTop, 6 * static_cast<int>(run.text.size()), 14})) << run.text;
        x += run.box.width;
    }
    EXPECT_EQ(runs[0].link, 0);
    EXPECT_EQ(runs[1].link, -1);
    EXPECT_EQ(runs[1].style, TextStyle::Plain);
    EXPECT_EQ(runs[8].link, 4);
}

TEST_F(LinkBoxFixture, HoverFollowsThePointerAndClearsOverPlainText)
{
    EXPECT_EQ(box.HotLink(), -1);
    EXPECT_TRUE(box.PointerMoved(5, 5)); // onto "AB"
    EXPECT_EQ(box.HotLink(), 0);
    EXPECT_EQ(box.Runs()[0].style, TextStyle::HotLink);
    EXPECT_EQ(box.Runs()[2].style, TextStyle::Link);
    EXPECT_FALSE(box.PointerMoved(10, 8)); // still on "AB": no repaint
    EXPECT_TRUE(box.PointerMoved(20, 5));  // onto "CD"
    EXPECT_EQ(box.HotLink(), 1);
    EXPECT_EQ(box.Runs()[0].style, TextStyle::Link);
    EXPECT_TRUE(box.PointerMoved(15, 5)); // onto the plain "|"
    EXPECT_EQ(box.HotLink(), -1);
    EXPECT_TRUE(box.PointerMoved(5, 14)); // the last row of "AB"
    EXPECT_EQ(box.HotLink(), 0);
}

TEST_F(LinkBoxFixture, BelowTheLineIsOutsideEveryLink)
{
    box.PointerMoved(5, 5);
    EXPECT_TRUE(box.PointerMoved(5, 15));
    EXPECT_EQ(box.HotLink(), -1);
}

TEST_F(LinkBoxFixture, LeavingClearsTheHotLink)
{
    box.PointerMoved(5, 5);
    EXPECT_TRUE(box.PointerLeft());
    EXPECT_EQ(box.HotLink(), -1);
    EXPECT_FALSE(box.PointerLeft());
}

TEST_F(LinkBoxFixture, NewContentIsLaidOutAtOnceAndHoverFollowsIt)
{
    box.PointerMoved(20, 5); // "CD", link 1
    box.SetContent("<a href=http://n/>NEWLINK</a>");
    ASSERT_EQ(box.Runs().size(), 1u);
    EXPECT_EQ(box.HotLink(), 0); // the pointer is now over the new link
    EXPECT_EQ(box.Press(MouseButton::Left, 20, 5), std::optional<std::string>("http://n/"));
    box.PointerLeft();
    box.SetContent(kContent);
    EXPECT_EQ(box.HotLink(), -1);
}

struct PointCase
{
    const char *name;
    int x;
    PointerShape pointer;
    std::optional<std::string> opens; // for a plain left press
};

class LinkBoxPoints : public LinkBoxFixture, public testing::WithParamInterface<PointCase>
{
};

TEST_P(LinkBoxPoints, PointerAndLeftPress)
{
    const PointCase &c = GetParam();
    EXPECT_EQ(box.PointerAt(c.x, 5), c.pointer);
    EXPECT_EQ(box.Press(MouseButton::Left, c.x, 5), c.opens);
}

const PointCase kPoints[] = {
    {"WebLink", 5, PointerShape::Hand, "http://s/"},
    {"PlainBar", 15, PointerShape::Arrow, std::nullopt},
    {"FileLink", 20, PointerShape::Arrow, std::nullopt},
    {"EmptyTarget", 40, PointerShape::Arrow, std::nullopt},
    {"ConversionFailedTarget", 60, PointerShape::Arrow, std::nullopt},
    {"DrivePathTarget", 80, PointerShape::Arrow, std::nullopt},
    {"PastTheText", 200, PointerShape::Arrow, std::nullopt},
    {"LeftOfTheLine", 0, PointerShape::Arrow, std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Points, LinkBoxPoints, testing::ValuesIn(kPoints),
                         [](const testing::TestParamInfo<PointCase> &info) { return info.param.name; });

TEST_F(LinkBoxFixture, OnlyAPlainLeftPressOpens)
{
    EXPECT_EQ(box.Press(MouseButton::Left, 5, 5), std::optional<std::string>("http://s/"));
    EXPECT_EQ(box.Press(MouseButton::Right, 5, 5), std::nullopt);
    EXPECT_EQ(box.Press(MouseButton::Middle, 5, 5), std::nullopt);
    EXPECT_EQ(box.Press(MouseButton::Other, 5, 5), std::nullopt);
}

TEST_F(LinkBoxFixture, ListsEachLinkWithItsTextAndTarget)
{
    EXPECT_EQ(box.Links(), (std::vector<LinkEntry>{{"AB", "http://s/"},
                                                   {"CD", "file:///etc/passwd"},
                                                   {"EF", ""},
                                                   {"GH", Gbk("转换失败")},
                                                   {"IJ", R"(C:\Windows\System32\cmd.exe)"}}));
    box.SetContent(Gbk("<a href=\"a\">x<b>y</b></a>z<a>w</a>"));
    EXPECT_EQ(box.Links(), (std::vector<LinkEntry>{{"xy", "a"}, {"w", ""}}));
    EXPECT_EQ(box.ShownText(), "xyzw");
}

TEST(LinkBox, EmptyContentHasNoLinks)
{
    test::FixedMeasurer measurer;
    LinkBox box(measurer);
    box.SetContent("");
    EXPECT_TRUE(box.Runs().empty());
    EXPECT_TRUE(box.Links().empty());
    EXPECT_EQ(box.PointerAt(3, 3), PointerShape::Arrow);
    EXPECT_FALSE(box.PointerMoved(3, 3));
}

} // namespace
} // namespace korimbo
