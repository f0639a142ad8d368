// A failed write of the output, provoked with /dev/full: POSIX only.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tool.h"

using namespace korimbo::testing;

TEST(TextOutput, AFailedWriteIsReportedAndEndsTheRun)
{
    // /dev/full takes nothing: every write fails with ENOSPC.
    for (const std::vector<std::string> &args : {std::vector<std::string>{}, {kExamples[0].real}, {"--help"}}) {
        ChildProcess child(KORIMBO_CONVERT_PATH, args, kUtf8Locale, "/dev/full");
        if (args.empty())
            child.Write(kExamples[0].real + "\n" + kExamples[1].real + "\n");
        const ProcessResult result = child.Finish();
        EXPECT_EQ(result.err, "korimbo-convert: error writing standard output: No space left on device\n");
        EXPECT_EQ(result.exitStatus, 1);
    }
}
