#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "convert/address.h"
#include "flat_json.h"
#include "tool.h"

using namespace korimbo;
using namespace korimbo::testing;

namespace {

// The "input" of each JSON object: exactly what the line held.
std::vector<std::string> InputsSeen(const std::string &out)
{
    std::vector<std::string> inputs;
    for (const std::string &line : SplitLines(out)) {
        const std::optional<FlatObject> object = ParseFlatObject(line);
        EXPECT_TRUE(object.has_value()) << line;
        if (object)
            inputs.push_back(std::get<std::string>(object->front().second));
    }
    return inputs;
}

} // namespace

TEST(StandardInput, EachLineIsOneInputWithOnlyItsLineEndRemoved)
{
    struct Case
    {
        std::string input;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases{
        {"http://x\r\nhttp://y\n", {"http://x", "http://y"}},
        {"http://x\nhttp://y", {"http://x", "http://y"}},
        {"http://x\n\nhttp://y\n", {"http://x", "", "http://y"}},
        {"", {}},
        {"\n", {""}},
        {"\r\n", {""}},
        {"a\r\r\n", {"a\r"}},
        {"a\rb\n", {"a\rb"}},
        {"x\r", {"x\r"}},
        {" http://x \t\n", {" http://x \t"}},
        {"a\x1a"
         "b\n\x1a\n",
         {"a\x1a"
          "b",
          "\x1a"}}, // Ctrl+Z is a byte like any other
    };
    for (const Case &test : cases) {
        const ProcessResult result = RunTool({"--format", "json"}, test.input);
        EXPECT_EQ(InputsSeen(result.out), test.lines) << "input \"" << test.input << "\"";
        bool allRecognised = true;
        for (const std::string &line : test.lines)
            allRecognised &= ConvertAllForms(AnsiText(line)).recognised;
        EXPECT_EQ(result.exitStatus, allRecognised ? 0 : 1) << test.input;
    }
}

TEST(StandardInput, LinesConvertAsArgumentsDo)
{
    std::vector<std::string> inputs{"", " http://x"};
    for (const Example &example : kExamples)
        inputs.insert(inputs.end(), {example.real, example.thunder, example.flashget, example.qqdl});
    std::string lines;
    for (const std::string &input : inputs)
        lines += input + "\r\n";
    for (const std::string format : {"text", "json"}) {
        const ProcessResult fromArguments = RunTool([&] {
            std::vector<std::string> args{"--format", format};
            args.insert(args.end(), inputs.begin(), inputs.end());
            return args;
        }());
        const ProcessResult fromInput = RunTool({"--format", format}, lines);
        EXPECT_EQ(fromInput.out, fromArguments.out);
        EXPECT_EQ(fromInput.exitStatus, 1);
        EXPECT_NE(fromInput.err.find("line 1: empty input"), std::string::npos) << fromInput.err;
        EXPECT_NE(fromInput.err.find("line 2: not recognised"), std::string::npos) << fromInput.err;
    }
}

TEST(StandardInput, EachAnswerIsWrittenBeforeTheNextLineIsAwaited)
{
    // Fed line by line through a pipe, the program answers each line while input stays open.
    ChildProcess child(KORIMBO_CONVERT_PATH, {"--to", "qqdl"}, kUtf8Locale);
    for (const Example &example : kExamples) {
        child.Write(example.thunder + "\n");
        EXPECT_EQ(child.ReadLine(60000), example.qqdl + "\n");
    }
    const ProcessResult result = child.Finish();
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.exitStatus, 0);
}
