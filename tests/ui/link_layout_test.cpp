#include "ui/logic/link_layout.h"

#include <gtest/gtest.h>

namespace korimbo {
namespace {

struct FontCase
{
    const char *name;
    double dpi;
    int pixels;
};

class LinkBoxFontSize : public testing::TestWithParam<FontCase>
{
};

// 9 points rounded down, never to the nearest pixel: 100 dpi gives 12.5, so 12, not 13.
TEST_P(LinkBoxFontSize, IsNinePointsRoundedDown)
{
    EXPECT_EQ(LinkBoxFontPixels(GetParam().dpi), GetParam().pixels);
}

const FontCase kFontCases[] = {
    {"Dpi72", 72, 9},    {"Dpi96", 96, 12},   {"Dpi100", 100, 12},       {"Dpi120", 120, 15},
    {"Dpi144", 144, 18}, {"Dpi150", 150, 18}, {"Dpi96Point9", 96.9, 12}, {"Zero", 0, 1},
};

INSTANTIATE_TEST_SUITE_P(Dpis, LinkBoxFontSize, testing::ValuesIn(kFontCases),
                         [](const testing::TestParamInfo<FontCase> &info) { return info.param.name; });

} // namespace
} // namespace korimbo
