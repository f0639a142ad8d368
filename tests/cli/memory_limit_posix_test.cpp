// Inputs that need more memory than the tool may have, provoked with a limit on its address space
// (a shell's "ulimit -v" before it starts): POSIX only, and not under AddressSanitizer, which
// reserves far more address space than any such limit.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "huge_line.h"
#include "tool.h"

using namespace korimbo::testing;

namespace {

// The tool's run under an address-space limit of `limitKiB`, with `lineSize` bytes on line 1 and
// the worked example on line 2.
[[maybe_unused]] ProcessResult RunLimited(unsigned long limitKiB, unsigned long long lineSize,
                                          const std::string &format)
{
    const std::string script = "ulimit -v " + std::to_string(limitKiB) + " && exec \"$0\" \"$@\"";
    ChildProcess child("/bin/sh", {"-c", script, KORIMBO_CONVERT_PATH, "--format", format}, kUtf8Locale);
    WriteHugeLine(child, lineSize);
    child.Write(kExamples[0].thunder + "\n");
    return child.Finish();
}

} // namespace

TEST(MemoryLimit, InputsThatNeedTooMuchMemoryAreSkippedAndTheNextConverted)
{
#ifdef KORIMBO_SANITIZED
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#else
    struct Case
    {
        const char *stage;
        unsigned long long lineSize;
    };
    // Under 112 MiB: a 200 MB line cannot even be read; a 48 MiB line is read (its buffer grows
    // from 32 to 64 MiB), but its 64 MiB FlashGet link cannot be had beside it.
    for (const Case &test : {Case{"reading", 200ull << 20}, Case{"converting", 48ull << 20}}) {
        for (const std::string format : {"text", "json"}) {
            const ProcessResult result = RunLimited(112 << 10, test.lineSize, format);
            EXPECT_EQ(result.exitStatus, 1) << test.stage << ", " << format;
            EXPECT_EQ(result.err, "korimbo-convert: line 1: too long to convert in this program's memory\n")
                << test.stage << ", " << format;
            EXPECT_NE(result.out.find(kExamples[0].qqdl), std::string::npos) << test.stage << ", " << format;
            EXPECT_EQ(result.out.find("example.com"), std::string::npos) << test.stage << ", " << format;
        }
    }
#endif
}
