// A line too long for any 32-bit program's memory, streamed through the tool: it is skipped with a
// message, the run ends with status 1, and the line after it is still converted.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "huge_line.h"
#include "tool.h"

using namespace korimbo::testing;

TEST(HugeLine, ALineBeyondTheAddressSpaceIsSkippedAndTheNextConverted)
{
    // 2 GiB and a bit: more than a 32-bit program can hold, and more than a line may be in the
    // 64-bit one, which holds at most 2^31 - 1 bytes of it.
    const unsigned long long size = (2ull << 30) + (1u << 20);
    ChildProcess child(KORIMBO_CONVERT_PATH, {"--to", "qqdl"}, kUtf8Locale);
    WriteHugeLine(child, size);
    child.Write(kExamples[0].real + "\n");
    const ProcessResult result = child.Finish();

    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, kExamples[0].qqdl + "\n");
    const std::vector<std::string> messages = SplitLines(result.err);
    ASSERT_EQ(messages.size(), 1u) << result.err;
    // Which limit a line meets first depends on the program's address space.
    EXPECT_TRUE(messages[0] == "korimbo-convert: line 1: too long to convert in this program's memory" ||
                messages[0] == "korimbo-convert: line 1: longer than 2147483647 bytes, more than an address can hold")
        << messages[0];
}
