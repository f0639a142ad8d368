#include "convert/address.h"

#include <gtest/gtest.h>

using namespace korimbo;

TEST(Smoke, WorkedExample)
{
    EXPECT_EQ(ConvertAddress("http://a/b.rar", ThunderLink), AnsiText("thunder://QUFodHRwOi8vYS9iLnJhclpa"));
}
