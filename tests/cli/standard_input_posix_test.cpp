// Streaming checked by the child's peak memory, which only the POSIX process helper measures.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "convert/address.h"
#include "tool.h"

using namespace korimbo;
using namespace korimbo::testing;

TEST(StandardInput, AHugeInputStreamsThrough)
{
    // About 50 MB in lines of 1 KB, made while they are written so that the test's own memory
    // stays out of the child's peak, which counts the memory it was started from.
    const int lineCount = 50000;
    const std::string body = "http://example.com/" + std::string(1000, 'x') + "/";
    ChildProcess child(KORIMBO_CONVERT_PATH, {"--to", "qqdl"}, kUtf8Locale);
    std::string chunk;
    for (int i = 0; i < lineCount; ++i) {
        chunk.append(body).append(std::to_string(i)).push_back('\n');
        if (chunk.size() > 64 * 1024 || i == lineCount - 1) {
            child.Write(chunk);
            chunk.clear();
        }
    }
    const ProcessResult result = child.Finish();

    EXPECT_EQ(result.exitStatus, 0) << result.err;
    const std::vector<std::string> lines = SplitLines(result.out);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(lineCount));
    EXPECT_EQ(lines.front(), EncodeWhirlwind(AnsiText(body + "0")).bytes());
    EXPECT_EQ(lines.back(), EncodeWhirlwind(AnsiText(body + std::to_string(lineCount - 1))).bytes());
#ifndef KORIMBO_SANITIZED
    // Holding the whole input would take more than 50 MB.
    EXPECT_LT(result.maxResidentKiB, 25 * 1024);
#endif
}
