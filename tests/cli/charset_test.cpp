#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "convert/base64.h"
#include "convert/bytes.h"
#include "flat_json.h"
#include "tool.h"

using namespace korimbo;
using namespace korimbo::testing;

namespace {

// The bytes as UTF-8 text of the characters U+0000 to U+00FF with the same numbers.
std::string Latin1ToUtf8(std::string_view bytes)
{
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text.push_back(c);
        } else {
            text.push_back(static_cast<char>(0xC0 | byte >> 6));
            text.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return text;
}

std::string Base64(std::string_view bytes)
{
    return std::string(Base64Encode(ByteSet(bytes)).bytes());
}

// "0xNN", as messages name a byte.
std::string Hex(char byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned char>(byte));
    return text;
}

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(Charset, Latin1CarriesEveryByteBothWays)
{
    std::string bytes = "http://a/";
    for (int byte = 1; byte < 256; ++byte)
        bytes.push_back(static_cast<char>(byte));
    const std::string text = Latin1ToUtf8(bytes);
    const std::string link = "qqdl://" + Base64(bytes);

    const ProcessResult encoded = RunTool({"--charset", "latin1", "--format", "json", text});
    ASSERT_EQ(encoded.exitStatus, 0) << encoded.err;
    const std::optional<FlatObject> forms = ParseFlatObject(encoded.out);
    ASSERT_TRUE(forms.has_value()) << encoded.out;
    EXPECT_EQ(std::get<std::string>((*forms)[5].second), link);
    EXPECT_EQ(std::get<std::string>((*forms)[3].second), "thunder://" + Base64("AA" + bytes + "ZZ"));

    const ProcessResult decoded = RunTool({"--charset", "latin1", "--format", "json", link});
    ASSERT_EQ(decoded.exitStatus, 0) << decoded.err;
    const std::optional<FlatObject> back = ParseFlatObject(decoded.out);
    ASSERT_TRUE(back.has_value()) << decoded.out;
    EXPECT_EQ(std::get<std::string>((*back)[2].second), text);

    // 80 FF: a C1 control and "ÿ".
    const ProcessResult text80ff = RunTool({"--charset", "latin1", "--to", "real", "qqdl://gP8="});
    EXPECT_EQ(text80ff.out, "\xC2\x80\xC3\xBF\n");
    EXPECT_EQ(text80ff.exitStatus, 0);
}

TEST(Charset, Utf8LinksCarryUtf8Bytes)
{
    // "中" is E4 B8 AD in UTF-8.
    const std::string real = "http://a/\xE4\xB8\xAD.rar";
    const std::string link = "qqdl://aHR0cDovL2Ev5LitLnJhcg==";
    EXPECT_EQ(RunTool({"--charset", "utf-8", "--to", "qqdl", real}).out, link + "\n");
    EXPECT_EQ(RunTool({"--charset=UTF-8", "--to", "real", link}).out, real + "\n");
    // The GBK link of the same address holds D6 D0, which is no UTF-8.
    const ProcessResult gbkLink = RunTool({"--charset", "utf-8", "--to", "real", kExamples[1].qqdl});
    EXPECT_EQ(gbkLink.out, "");
    EXPECT_TRUE(Contains(gbkLink.err, "argument 1: real address cannot be shown: byte 0xD6")) << gbkLink.err;
    EXPECT_EQ(gbkLink.exitStatus, 1);

    // Sequences that only look like UTF-8: beyond U+10FFFF, a surrogate, an overlong form.
    for (const std::string bytes : {"\xF4\x90\x80\x80", "\xF7\xBF\xBF\xBF", "\xED\xA0\x80", "\xC0\xAF"}) {
        const std::string lead = Hex(bytes[0]);
        const ProcessResult fromLink =
            RunTool({"--charset", "utf-8", "--to", "real", "qqdl://" + Base64("http://a/" + bytes)});
        EXPECT_EQ(fromLink.out, "");
        EXPECT_EQ(fromLink.err, "korimbo-convert: argument 1: real address cannot be shown: byte " + lead +
                                    " at offset 10 is not valid utf-8\n");
        const ProcessResult fromInput = RunTool({"--charset", "utf-8", "--to", "qqdl"}, "http://a/" + bytes + "\n");
        EXPECT_EQ(fromInput.out, "");
        EXPECT_EQ(fromInput.err, "korimbo-convert: line 1: not valid UTF-8 (byte " + lead + " at offset 10)\n");
    }
}

TEST(Charset, AnInputThatTheCodePageCannotHoldIsReportedAndTheOthersConverted)
{
    const std::string smiley = "http://a/\xF0\x9F\x98\x80.rar";
    const std::vector<std::string> inputs{kExamples[0].real, smiley, kExamples[1].thunder};
    const std::string expected = kExamples[0].real + "\n" + kExamples[1].real + "\n";

    std::vector<std::string> args{"--to", "real"};
    args.insert(args.end(), inputs.begin(), inputs.end());
    const ProcessResult fromArguments = RunTool(args);
    EXPECT_EQ(fromArguments.out, expected);
    EXPECT_EQ(fromArguments.err,
              "korimbo-convert: argument 2: cannot represent \"\xF0\x9F\x98\x80\" (U+1F600) in GBK\n");
    EXPECT_EQ(fromArguments.exitStatus, 1);

    const ProcessResult fromInput = RunTool({"--to", "real"}, inputs[0] + "\n" + inputs[1] + "\n" + inputs[2] + "\n");
    EXPECT_EQ(fromInput.out, expected);
    EXPECT_TRUE(Contains(fromInput.err, "line 2: cannot represent")) << fromInput.err;
    EXPECT_EQ(fromInput.exitStatus, 1);
}

TEST(Charset, InputThatIsNoTextIsReported)
{
    const std::string zeroByte("http://a\0b", 10);
    const std::string input = "\xFFhttp://a\n" + kExamples[0].real + "\n" + zeroByte + "\nhttp://\xE4\xB8\n";
    const ProcessResult result = RunTool({"--to", "qqdl"}, input);
    EXPECT_EQ(result.out, kExamples[0].qqdl + "\n");
    const std::vector<std::string> messages = SplitLines(result.err);
    ASSERT_EQ(messages.size(), 3u) << result.err;
    EXPECT_EQ(messages[0], "korimbo-convert: line 1: not valid UTF-8 (byte 0xFF at offset 1)");
    EXPECT_TRUE(Contains(messages[1], "line 3: contains a zero byte")) << messages[1];
    EXPECT_TRUE(Contains(messages[2], "line 4: not valid UTF-8 (byte 0xE4 at offset 8)")) << messages[2];
    EXPECT_EQ(result.exitStatus, 1);
}

TEST(Charset, ADamagedLinkWhoseAddressIsNotValidInTheCodePageIsReported)
{
    // Decodes to "http://a/" FF ".rar"; FF is no GBK byte.
    const std::string damaged = "qqdl://aHR0cDovL2Ev/y5yYXI=";
    for (const std::vector<std::string> &options : {std::vector<std::string>{"--to", "real"}, {"--format", "json"}}) {
        std::vector<std::string> args = options;
        args.insert(args.end(), {damaged, kExamples[0].qqdl});
        const ProcessResult result = RunTool(args);
        EXPECT_EQ(SplitLines(result.out).size(), 1u) << result.out;
        EXPECT_EQ(
            result.err,
            "korimbo-convert: argument 1: real address cannot be shown: byte 0xFF at offset 10 is not valid GBK\n");
        EXPECT_EQ(result.exitStatus, 1);
    }
    // Its Thunder link carries the bytes as they are.
    const ProcessResult thunder = RunTool({"--to", "thunder", damaged});
    EXPECT_EQ(thunder.out, "thunder://" + Base64("AAhttp://a/\xFF.rarZZ") + "\n");
    EXPECT_EQ(thunder.exitStatus, 0);
}

TEST(Charset, TheUsualNamesOfTheCodePagesAreKnown)
{
    struct Case
    {
        std::string name, address, bytes; // the address in UTF-8, and as bytes of the code page
    };
    const std::string zhong = "http://a/\xE4\xB8\xAD", eAcute = "http://a/\xC3\xA9", euro = "http://a/\xE2\x82\xAC";
    const std::vector<Case> cases{
        {"GBK", zhong, "http://a/\xD6\xD0"},
        {"gbk", zhong, "http://a/\xD6\xD0"},
        {"CP936", zhong, "http://a/\xD6\xD0"},
        {"cp936", zhong, "http://a/\xD6\xD0"},
        {"UTF-8", zhong, zhong},
        {"utf8", zhong, zhong},
        {"latin1", eAcute, "http://a/\xE9"},
        {"ISO-8859-1", eAcute, "http://a/\xE9"},
        {"CP1252", euro, "http://a/\x80"},
        {"windows-1252", euro, "http://a/\x80"},
        {"ISO-8859-2", "http://a/\xC5\x82", "http://a/\xB3"}, // "ł"
        {"ISO-8859-15", euro, "http://a/\xA4"},
    };
    for (const Case &test : cases) {
        const ProcessResult result = RunTool({"--charset", test.name, "--to", "qqdl", test.address});
        EXPECT_EQ(result.out, "qqdl://" + Base64(test.bytes) + "\n") << test.name;
        EXPECT_EQ(result.exitStatus, 0) << test.name << ": " << result.err;
    }
}

TEST(Charset, AnArgumentThatIsNoTextIsReported)
{
    // ED A0 80 would be the lone surrogate U+D800, which no UTF-8 holds; on Windows the
    // argument reaches the program as that UTF-16 surrogate.
    const ProcessResult result = RunTool({"--to", "real", "http://a/\xED\xA0\x80", kExamples[0].real});
    EXPECT_EQ(result.out, kExamples[0].real + "\n");
    EXPECT_EQ(result.err, "korimbo-convert: argument 1: not valid UTF-8 (byte 0xED at offset 10)\n");
    EXPECT_EQ(result.exitStatus, 1);
}
