#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "flat_json.h"
#include "tool.h"

using namespace korimbo::testing;

namespace {

const std::vector<std::string> kKeys{"input", "ok", "real", "thunder", "flashget", "qqdl"};

// The objects of the output, one per line; fails the test on a line that is not one.
std::vector<FlatObject> ParseLines(const std::string &out)
{
    std::vector<FlatObject> objects;
    for (const std::string &line : SplitLines(out)) {
        std::optional<FlatObject> object = ParseFlatObject(line);
        EXPECT_TRUE(object.has_value()) << "not a JSON object: " << line;
        if (object)
            objects.push_back(std::move(*object));
    }
    return objects;
}

std::vector<std::string> Keys(const FlatObject &object)
{
    std::vector<std::string> keys;
    for (const auto &member : object)
        keys.push_back(member.first);
    return keys;
}

std::string Text(const FlatObject &object, std::size_t index)
{
    return std::get<std::string>(object[index].second);
}

} // namespace

TEST(JsonOutput, EveryObjectHasAllKeysInOrderWhateverToSays)
{
    for (const std::string to : {"all", "real", "qqdl"}) {
        std::vector<std::string> args{"--format", "json", "--to", to};
        for (const Example &example : kExamples)
            args.insert(args.end(), {example.real, example.thunder, example.flashget, example.qqdl});
        const ProcessResult result = RunTool(args);
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        const std::vector<FlatObject> objects = ParseLines(result.out);
        ASSERT_EQ(objects.size(), 4 * kExamples.size());
        for (std::size_t i = 0; i < objects.size(); ++i) {
            const FlatObject &object = objects[i];
            const Example &example = kExamples[i / 4];
            ASSERT_EQ(Keys(object), kKeys);
            EXPECT_EQ(Text(object, 0), args[4 + i]);
            EXPECT_EQ(std::get<bool>(object[1].second), true);
            EXPECT_EQ(Text(object, 2), example.real);
            EXPECT_EQ(Text(object, 3), example.thunder);
            EXPECT_EQ(Text(object, 4), example.flashget);
            EXPECT_EQ(Text(object, 5), example.qqdl);
        }
    }
}

TEST(JsonOutput, StringsEscapeQuotesBackslashesAndControlCharacters)
{
    // Each is a plain address, so it comes back unchanged as the real address.
    const std::vector<std::string> inputs{"say \"hi\"", "back\\slash", "tab\there", "line\nbreak", "cr\rhere",
                                          "\x01\x1f\x7f", "esc\x1b[0m", "\xE4\xB8\xAD/\xE2\x82\xAC",
                                          // escapes at the edges of eight-byte words
                                          "abcdefg\"hijklmno\\pqrstuvwxyz0123456789ABCDE\x1f"};
    std::vector<std::string> args{"--format", "json"};
    args.insert(args.end(), inputs.begin(), inputs.end());
    const ProcessResult result = RunTool(args);
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    const std::vector<FlatObject> objects = ParseLines(result.out);
    ASSERT_EQ(objects.size(), inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        EXPECT_EQ(Text(objects[i], 0), inputs[i]);
        EXPECT_EQ(Text(objects[i], 2), inputs[i]);
    }
    EXPECT_NE(result.out.find(R"("input": "\u0001\u001f)"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find(R"("real": "say \"hi\"")"), std::string::npos);
    EXPECT_NE(result.out.find(R"("real": "back\\slash")"), std::string::npos);
}

TEST(JsonOutput, EmptyAndUnrecognisedInputsAreNotOk)
{
    const ProcessResult result = RunTool({"--format", "json", " http://x", "", "flashget://abc"});
    EXPECT_EQ(result.exitStatus, 1);
    const std::vector<FlatObject> objects = ParseLines(result.out);
    ASSERT_EQ(objects.size(), 3u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(std::get<bool>(objects[i][1].second), false);
        for (std::size_t form = 2; form < 6; ++form)
            EXPECT_EQ(Text(objects[i], form), kFailed);
    }
    EXPECT_EQ(Text(objects[0], 0), " http://x");
    EXPECT_EQ(Text(objects[1], 0), "");
    // A lower-case "flashget://" is no link prefix: the text is a plain address.
    EXPECT_EQ(std::get<bool>(objects[2][1].second), true);
    EXPECT_EQ(Text(objects[2], 2), "flashget://abc");
    EXPECT_EQ(SplitLines(result.err).size(), 2u) << result.err;
}
