#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tool.h"

using namespace korimbo::testing;

namespace {

// Every form of every example, as inputs.
std::vector<std::string> AllExampleForms()
{
    std::vector<std::string> inputs;
    for (const Example &example : kExamples)
        inputs.insert(inputs.end(), {example.real, example.thunder, example.flashget, example.qqdl});
    return inputs;
}

std::string Block(const Example &example)
{
    return "real: " + example.real + "\nthunder: " + example.thunder + "\nflashget: " + example.flashget +
           "\nqqdl: " + example.qqdl + "\n";
}

} // namespace

TEST(TextOutput, EachFormOfEachExampleGivesEveryForm)
{
    const std::vector<std::string> inputs = AllExampleForms();
    const std::vector<std::pair<std::string, std::string Example::*>> forms{{"real", &Example::real},
                                                                            {"thunder", &Example::thunder},
                                                                            {"flashget", &Example::flashget},
                                                                            {"qqdl", &Example::qqdl}};
    for (const auto &[to, member] : forms) {
        std::vector<std::string> args{"--to", to};
        args.insert(args.end(), inputs.begin(), inputs.end());
        const ProcessResult result = RunTool(args);
        std::string expected;
        for (const Example &example : kExamples) {
            for (int input = 0; input < 4; ++input)
                expected += example.*member + "\n";
        }
        EXPECT_EQ(result.out, expected) << "--to " << to;
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.exitStatus, 0);
    }
}

TEST(TextOutput, AllFormsPrintLabelledBlocksSeparatedByAnEmptyLine)
{
    const std::string expected = Block(kExamples[0]) + "\n" + Block(kExamples[1]);
    for (const std::vector<std::string> &options : {std::vector<std::string>{}, {"--to", "all"}}) {
        std::vector<std::string> args = options;
        args.insert(args.end(), {kExamples[0].thunder, kExamples[1].qqdl});
        const ProcessResult result = RunTool(args);
        EXPECT_EQ(result.out, expected);
        EXPECT_EQ(result.exitStatus, 0);
    }
}

TEST(TextOutput, EmptyAndUnrecognisedInputsPrintTheFailureTextAndEndWithStatusOne)
{
    // " http://x" is not trimmed, and "ftp://h/http://x" holds a prefix it does not begin with.
    const ProcessResult result = RunTool({"--to", "real", "http://a/b.rar", " http://x", "", "ftp://h/http://x"});
    const std::string failed(kFailed);
    EXPECT_EQ(result.out, "http://a/b.rar\n" + failed + "\n" + failed + "\n" + failed + "\n");
    EXPECT_EQ(result.exitStatus, 1);
    const std::vector<std::string> messages = SplitLines(result.err);
    ASSERT_EQ(messages.size(), 3u) << result.err;
    EXPECT_EQ(messages[0].rfind("korimbo-convert: argument 2: not recognised", 0), 0u) << messages[0];
    EXPECT_EQ(messages[1].rfind("korimbo-convert: argument 3: empty input", 0), 0u) << messages[1];
    EXPECT_EQ(messages[2].rfind("korimbo-convert: argument 4: not recognised", 0), 0u) << messages[2];

    const ProcessResult block = RunTool({" http://x"});
    EXPECT_EQ(block.out,
              "real: " + failed + "\nthunder: " + failed + "\nflashget: " + failed + "\nqqdl: " + failed + "\n");
    EXPECT_EQ(block.exitStatus, 1);
}

TEST(TextOutput, AResultHoldingALineBreakIsReportedNotSplitAcrossLines)
{
    // A plain address is its own real address; its links are Base64 and always fit a line.
    for (const std::string address : {"a\nb", "a\rb", "a\r"}) {
        const ProcessResult real = RunTool({"--to", "real", "http://a/b.rar", address, "http://c/d.rar"});
        EXPECT_EQ(real.out, "http://a/b.rar\nhttp://c/d.rar\n");
        EXPECT_NE(real.err.find("argument 2: real address holds a line break"), std::string::npos) << real.err;
        EXPECT_EQ(real.exitStatus, 1);

        const ProcessResult link = RunTool({"--to", "qqdl", address});
        EXPECT_EQ(SplitLines(link.out).size(), 1u);
        EXPECT_EQ(link.exitStatus, 0) << link.err;
    }
}
