// The locale decides the encoding of the text read and written: POSIX only.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tool.h"

using namespace korimbo::testing;

TEST(Charset, TheCLocaleReadsAndWritesUtf8)
{
    const std::vector<std::string> cLocale{"LC_ALL=C"};
    EXPECT_EQ(RunTool({"--to", "thunder", kExamples[1].real}, {}, cLocale).out, kExamples[1].thunder + "\n");
    EXPECT_EQ(RunTool({"--to", "real", kExamples[1].qqdl}, {}, cLocale).out, kExamples[1].real + "\n");
    EXPECT_EQ(RunTool({"--to", "real", ""}, {}, cLocale).out, std::string(kFailed) + "\n");
}
