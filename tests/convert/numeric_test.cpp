#include "convert/numeric.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "fatal_exit.h"

namespace korimbo {
namespace {

TEST(IntegerDivide, DropsTheFractionTowardZero)
{
    EXPECT_EQ(IntegerDivide(7, 4), 1);
    EXPECT_EQ(IntegerDivide(-7, 4), -1);
    EXPECT_EQ(IntegerDivide(8, 4), 2);
    EXPECT_EQ(IntegerDivide(2147483647.0, 4), 536870911);
    // The quotient is a double before its fraction goes: exactly it is just below 3, as a double
    // it is 3. (x87 arithmetic, which keeps more bits, would give 2.)
    EXPECT_EQ(IntegerDivide(1940.3062814008379, 646.768760466946), 3);
}

TEST(Remainder, TakesTheSignOfTheDividend)
{
    EXPECT_EQ(Remainder(7, 4), 3);
    EXPECT_EQ(Remainder(-7, 4), -3);
    EXPECT_EQ(Remainder(6, 3), 0);
    EXPECT_EQ(Remainder(2147483647.0, 3), 1);
}

TEST(ZeroDivisor, IsFatal)
{
    EXPECT_EXIT(IntegerDivide(1, 0.0), testing::ExitedWithCode(test::kFatalExitCode),
                "运行时出错!\n\n错误信息：不能整除于零\n");
    EXPECT_EXIT(IntegerDivide(1, -0.0), testing::ExitedWithCode(test::kFatalExitCode), "不能整除于零");
    EXPECT_EXIT(Remainder(1, 0.0), testing::ExitedWithCode(test::kFatalExitCode),
                "运行时出错!\n\n错误信息：不能求余数于零\n");
}

TEST(TruncateToInt, RoundsTowardZeroAndKeepsLow32Bits)
{
    EXPECT_EQ(TruncateToInt(2.9), 2);
    EXPECT_EQ(TruncateToInt(-2.9), -2);
    EXPECT_EQ(TruncateToInt(4294967297.0), 1);
    EXPECT_EQ(TruncateToInt(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(TruncateToInt(1e300), 0);
}

TEST(Bits, ShiftsTakeTheirCountModulo32)
{
    EXPECT_EQ(ShiftRight(-8, 1), -4);
    EXPECT_EQ(ShiftLeft(1, 33), 2);
    EXPECT_EQ(ShiftLeft(1, 31), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(ShiftLeft(3, 31), std::numeric_limits<std::int32_t>::min()); // the top bit is lost
    EXPECT_EQ(ShiftRight(255, 2), 63);
    EXPECT_EQ(ShiftRight(-1, 40), -1);
    EXPECT_EQ(BitAnd(255, 63), 63);
    EXPECT_EQ(BitOr(192, 3), 195);
}

} // namespace
} // namespace korimbo
