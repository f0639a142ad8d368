#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tool.h"

using namespace korimbo::testing;

TEST(Options, UsageErrorsEndWithStatusTwoAndConvertNothing)
{
    const std::vector<std::vector<std::string>> cases{
        {"--bogus"},           {"-x"},
        {"--To", "real"},      {"--to"},
        {"--to", "nope"},      {"--to="},
        {"--to", "Real"},      {"--format", "xml"},
        {"--format"},          {"--charset"},
        {"--charset", "NOPE"}, {"--charset", "UTF-16"},
        {"--charset="},        {"--charset=GBK//TRANSLIT"},
        {"--help=yes"},        {"--version=1"},
        {"--bogus", "--help"},
    };
    for (std::vector<std::string> args : cases) {
        const std::string shown = args.front() + (args.size() > 1 ? " " + args[1] : "");
        args.push_back(kExamples[0].real);
        const ProcessResult result = RunTool(args, kExamples[0].real + "\n");
        EXPECT_EQ(result.exitStatus, 2) << shown;
        EXPECT_EQ(result.out, "") << shown;
        EXPECT_EQ(result.err.rfind("korimbo-convert: ", 0), 0u) << shown << ": " << result.err;
        EXPECT_TRUE(result.err.ends_with("\nTry 'korimbo-convert --help'.\n")) << shown << ": " << result.err;
        EXPECT_EQ(SplitLines(result.err).size(), 2u) << result.err;
    }
}

TEST(Options, HelpAndVersionGoToStandardOutput)
{
    const ProcessResult help = RunTool({"http://a", "--help", "--bogus"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.rfind("Usage: korimbo-convert [OPTION]... [ADDRESS]...\n", 0), 0u) << help.out;
    for (const std::string option : {"--to=FORM", "--format=FORMAT", "--charset=NAME", "--help", "--version", "Exit"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;

    const ProcessResult version = RunTool({"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, "korimbo-convert (Korimbo) " KORIMBO_VERSION "\n");
    EXPECT_EQ(version.err, "");
}

TEST(Options, ValuesFollowAsNextArgumentOrAfterEquals)
{
    const Example &example = kExamples[0];
    const std::vector<std::vector<std::string>> cases{
        {"--to", "qqdl", example.thunder},
        {"--to=qqdl", example.thunder},
        {example.thunder, "--to", "qqdl"},
        {"--to", "real", "--to=qqdl", example.thunder},
        {"--charset", "GBK", "--format=text", "--to", "qqdl", example.thunder},
    };
    for (const std::vector<std::string> &args : cases) {
        const ProcessResult result = RunTool(args);
        EXPECT_EQ(result.out, example.qqdl + "\n") << args.front();
        EXPECT_EQ(result.exitStatus, 0);
    }
}

TEST(Options, DoubleDashEndsOptionsAndASingleDashIsAnAddress)
{
    const ProcessResult result = RunTool({"--to", "real", "-", "--", "--to", "--", "-x"});
    EXPECT_EQ(result.out, "-\n--to\n--\n-x\n");
    EXPECT_EQ(result.exitStatus, 0) << result.err;
}
