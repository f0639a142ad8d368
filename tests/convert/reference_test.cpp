// The codec on every path this processor has, and the address conversion, against the step-by-step
// reference on generated inputs: a fixed seed, so that every build sees the same inputs.
#include "reference.h"

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "convert/base64.h"
#include "convert/codec_path.h"
#include "convert/runtime.h"
#include "hex.h"

namespace korimbo {
namespace {

// Runs the codec on one path for the lifetime of the object.
class OnPath
{
  public:
    explicit OnPath(CodecPath path) : previous_(UseCodecPath(path)) {}
    ~OnPath() { UseCodecPath(previous_); }
    OnPath(const OnPath &) = delete;
    OnPath &operator=(const OnPath &) = delete;

  private:
    CodecPath previous_;
};

// Bytes a decoder meets, weighted towards alphabet characters, with everything the cleaning and
// the early group ends act on: spaces, CR, LF, "=", a tab, lead bytes, the full-width space and
// any other byte.
std::string RandomText(std::mt19937 &random, std::size_t length)
{
    static const std::string kOdd = std::string(" \r\n=\t&") + "\xA1\xB0\xD6\xFF\x80";
    std::string text;
    const unsigned dirt = random() % 4; // some texts are clean, some very dirty
    while (text.size() < length) {
        if (dirt > 0 && random() % (40 / dirt) == 0) {
            const unsigned pick = random() % (kOdd.size() + 3);
            if (pick == kOdd.size() + 2)
                text += static_cast<char>(1 + random() % 255);
            else if (pick == kOdd.size())
                text += "\r\n";
            else if (pick == kOdd.size() + 1)
                text += "\xA1\xA1";
            else
                text += kOdd[pick];
        } else {
            text += kBase64Alphabet[random() % 64];
        }
    }
    return text;
}

std::string RandomBytes(std::mt19937 &random, std::size_t length)
{
    std::string bytes(length, '\0');
    for (char &byte : bytes)
        byte = static_cast<char>(random());
    return bytes;
}

// Lengths 0 to 300, and lengths around the edges of the vector blocks (32 characters), of the
// block between two events calls (4096) and of the pieces the cleaning works in (8192).
std::vector<std::size_t> Lengths()
{
    std::vector<std::size_t> lengths;
    for (std::size_t n = 0; n <= 300; ++n)
        lengths.push_back(n);
    for (const std::size_t edge : {512, 4096, 8192, 16384})
        for (std::size_t n = edge - 5; n <= edge + 5; ++n)
            lengths.push_back(n);
    return lengths;
}

int eventsCalls = 0;
void CountEvents()
{
    ++eventsCalls;
}

void ExpectDecodesAsReference(const AnsiText &text)
{
    long groups = 0;
    const ByteSet expected = reference::Decode(text, groups);
    eventsCalls = 0;
    const PendingEventsHook previous = SetPendingEventsHook(CountEvents);
    const ByteSet decoded = Base64Decode(text);
    SetPendingEventsHook(previous);
    ASSERT_EQ(decoded, expected) << "text " << test::Hex(text.bytes());
    // At least once per 1024 groups, at most once per group.
    ASSERT_LE(eventsCalls, groups);
    ASSERT_GE(eventsCalls, (groups + 1023) / 1024);
    std::string into = "left over";
    Base64DecodeInto(text.bytes(), into);
    ASSERT_EQ(into, expected.bytes());
}

TEST(Reference, EveryCodecPathDecodesGeneratedTextsAsTheRulesDo)
{
    for (const CodecPath path : AvailableCodecPaths()) {
        SCOPED_TRACE(std::string(CodecPathName(path)));
        const OnPath on(path);
        std::mt19937 random(20261211);
        for (const std::size_t length : Lengths()) {
            for (int round = 0; round < 6; ++round)
                ExpectDecodesAsReference(AnsiText(RandomText(random, length)));
        }
    }
}

TEST(Reference, EveryCodecPathDecodesOneOddCharacterAtEveryOffset)
{
    // Each odd character or pair, put into clean text of three vector blocks at every offset.
    const std::vector<std::string> odd{" ", "\r\n", "\r", "\n", "=", "\t", "\xA1\xA1", "\xB0\x41", "\xB0\r\n", "\x80"};
    std::mt19937 random(1926);
    std::string clean;
    for (int i = 0; i < 100; ++i)
        clean += kBase64Alphabet[random() % 64];
    for (const CodecPath path : AvailableCodecPaths()) {
        SCOPED_TRACE(std::string(CodecPathName(path)));
        const OnPath on(path);
        for (const std::string &piece : odd) {
            for (std::size_t at = 0; at <= clean.size(); ++at)
                ExpectDecodesAsReference(AnsiText(clean.substr(0, at) + piece + clean.substr(at)));
        }
    }
}

TEST(Reference, EveryCodecPathEncodesAsTheRulesDo)
{
    for (const CodecPath path : AvailableCodecPaths()) {
        SCOPED_TRACE(std::string(CodecPathName(path)));
        const OnPath on(path);
        std::mt19937 random(3);
        std::string into;
        for (const std::size_t length : Lengths()) {
            const ByteSet data(RandomBytes(random, length));
            const AnsiText expected = reference::Encode(data);
            ASSERT_EQ(Base64Encode(data), expected) << "length " << length;
            Base64EncodeInto(data.bytes(), into);
            ASSERT_EQ(into, expected.bytes()) << "length " << length;
        }
    }
}

// Inputs of every form: links built from random addresses, the same links damaged, and texts with
// link markers anywhere.
std::string RandomInput(std::mt19937 &random)
{
    static const std::vector<std::string> kMarkers{"http://", "thunder://", "Flashget://", "qqdl://", "&", "://"};
    std::string address = RandomBytes(random, random() % 70);
    for (char &byte : address)
        byte = byte == '\0' ? 'x' : byte;
    if (random() % 4 == 0)
        address.insert(random() % (address.size() + 1), kMarkers[random() % kMarkers.size()]);
    const AnsiText real(address);
    std::string input;
    switch (random() % 4) {
    case 0:
        input = std::string(EncodeThunder(real).bytes());
        break;
    case 1:
        input = std::string(EncodeFlashGet(real).bytes());
        break;
    case 2:
        input = std::string(EncodeWhirlwind(real).bytes());
        break;
    default:
        input = address;
        break;
    }
    // Damage: drop, insert or change a few bytes.
    for (unsigned n = random() % 4; n > 0 && !input.empty(); --n) {
        const std::size_t at = random() % input.size();
        const std::string odd = RandomText(random, 1 + random() % 2);
        switch (random() % 3) {
        case 0:
            input.erase(at, 1);
            break;
        case 1:
            input.insert(at, odd);
            break;
        default:
            input[at] = odd[0];
            break;
        }
    }
    return input;
}

TEST(Reference, AddressFunctionsConvertGeneratedInputsAsTheRulesDo)
{
    std::mt19937 random(11);
    std::string decoded, link;
    for (int round = 0; round < 3000; ++round) {
        const AnsiText input(RandomInput(random));
        SCOPED_TRACE("input " + test::Hex(input.bytes()));
        ASSERT_EQ(ClassifyInput(input), reference::Classify(input));
        const std::array<AnsiText, 4> row = reference::ConvertRow(input);
        ASSERT_EQ(ConvertAllForms(input).forms, row);
        const AddressSource source = ReadAddress(input.bytes(), decoded);
        for (std::int32_t kind = RealAddress; kind <= WhirlwindLink; ++kind) {
            ASSERT_EQ(ConvertAddress(input, kind), row[static_cast<std::size_t>(kind)]) << "kind " << kind;
            ASSERT_EQ(FormOf(source, kind, link), row[static_cast<std::size_t>(kind)].bytes()) << "kind " << kind;
        }
        ASSERT_EQ(DecodeThunder(input), reference::DecodeThunder(input));
        ASSERT_EQ(DecodeFlashGet(input), reference::DecodeFlashGet(input));
        ASSERT_EQ(DecodeWhirlwind(input), reference::DecodeWhirlwind(input));
        ASSERT_EQ(EncodeThunder(input), reference::EncodeThunder(input));
        ASSERT_EQ(EncodeFlashGet(input), reference::EncodeFlashGet(input));
        ASSERT_EQ(EncodeWhirlwind(input), reference::EncodeWhirlwind(input));
    }
}

} // namespace
} // namespace korimbo
