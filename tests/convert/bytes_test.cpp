#include "convert/bytes.h"

#include <array>

#include <gtest/gtest.h>

#include "fatal_exit.h"
#include "hex.h"

namespace korimbo {
namespace {

using test::Bytes;
using test::Text;

TEST(BytesLeft, ClampsItsCount)
{
    const ByteSet five = Bytes({1, 2, 0, 4, 5});
    EXPECT_EQ(BytesLeft(five, -1), ByteSet());
    EXPECT_EQ(BytesLeft(five, 0), ByteSet());
    EXPECT_EQ(BytesLeft(five, 3), Bytes({1, 2, 0}));
    EXPECT_EQ(BytesLeft(five, 7), five);
}

TEST(BlankBytes, GivesZeroBytes)
{
    EXPECT_EQ(BlankBytes(0), ByteSet());
    EXPECT_EQ(BlankBytes(-3), ByteSet());
    EXPECT_EQ(BlankBytes(3), Bytes({0, 0, 0}));
}

TEST(ConcatBytes, KeepsZeroBytes)
{
    EXPECT_EQ(ConcatBytes(ByteSet(), ByteSet()), ByteSet());
    EXPECT_EQ(ConcatBytes(Bytes({0, 1}), ByteSet(), Bytes({0})), Bytes({0, 1, 0}));
}

TEST(ToText, EndsAtFirstZeroByte)
{
    EXPECT_EQ(ToText(Bytes({0x61, 0x00, 0x62})), AnsiText("a"));
    EXPECT_EQ(ToText(ByteSet()), AnsiText());
    EXPECT_EQ(ToText(Bytes({0x00, 0x61})), AnsiText());
    EXPECT_EQ(ToText(Bytes({0x61, 0xB0, 0x00, 0xC1})), Text({0x61, 0xB0})); // a lead byte before the cut stays
}

TEST(ToBytes, FromTextAndFixedArray)
{
    EXPECT_EQ(ToBytes(AnsiText("ab")), Bytes({0x61, 0x62}));
    EXPECT_EQ(ToBytes(AnsiText()), ByteSet());
    EXPECT_EQ(ToBytes(std::array<std::uint8_t, 3>{0x41, 0x00, 0x42}), Bytes({0x41, 0x00, 0x42}));
    EXPECT_EQ(ToBytes(std::array<std::uint8_t, 0>{}), ByteSet());
}

TEST(ElementAt, ReadsAndWritesOneBasedWithoutTouchingCopies)
{
    ByteSet set = Bytes({1, 2, 3});
    const ByteSet copy = set;
    ElementAt(set, 3) = 9;
    EXPECT_EQ(ElementAt(std::as_const(set), 1), 1);
    EXPECT_EQ(set, Bytes({1, 2, 9}));
    EXPECT_EQ(copy, Bytes({1, 2, 3}));

    std::array<std::uint8_t, 4> slots{};
    ElementAt(slots, 4) = 7;
    EXPECT_EQ(slots[3], 7);
}

struct BadIndex
{
    const char *name;
    ByteSet set;
    int index;
    const char *report;
};

class ElementAtOutOfRange : public testing::TestWithParam<BadIndex>
{
};

TEST_P(ElementAtOutOfRange, IsFatalWithItsCode)
{
    const BadIndex &c = GetParam();
    EXPECT_EXIT(ElementAt(c.set, c.index), testing::ExitedWithCode(test::kFatalExitCode), c.report);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ElementAtOutOfRange,
    testing::Values(BadIndex{"zeroOnEmpty", ByteSet(), 0, "错误代码：4\n\n错误信息：数组成员引用下标必须大于等于1"},
                    BadIndex{"zero", Bytes({1, 2}), 0, "错误代码：4"},
                    BadIndex{"negative", Bytes({1, 2}), -1, "错误代码：4"},
                    BadIndex{"oneOnEmpty", ByteSet(), 1, "错误代码：1\n\n错误信息：数组成员引用下标超出定义范围"},
                    BadIndex{"pastEnd", Bytes({1, 2}), 3, "错误代码：1"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ElementAtOutOfRange, FixedArrayTooIsFatal)
{
    std::array<std::uint8_t, 4> slots{};
    EXPECT_EXIT(ElementAt(slots, 5), testing::ExitedWithCode(test::kFatalExitCode), "错误代码：1");
}

} // namespace
} // namespace korimbo
