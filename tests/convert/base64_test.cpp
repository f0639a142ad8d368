#include "convert/base64.h"

#include <random>

#include <gtest/gtest.h>

#include "convert/codec_path.h"
#include "convert/runtime.h"
#include "hex.h"

namespace korimbo {
namespace {

using test::Bytes;
using test::Raw;

struct EncodeCase
{
    const char *name;
    ByteSet data;
    AnsiText text;
};

class Base64EncodeTable : public testing::TestWithParam<EncodeCase>
{
};

TEST_P(Base64EncodeTable, WritesStandardPaddedBase64)
{
    EXPECT_EQ(Base64Encode(GetParam().data), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, Base64EncodeTable,
                         testing::Values(EncodeCase{"empty", ByteSet(), ""}, EncodeCase{"one", Bytes({0x41}), "QQ=="},
                                         EncodeCase{"two", Bytes({0x41, 0x42}), "QUI="},
                                         EncodeCase{"three", Bytes({0x41, 0x42, 0x43}), "QUJD"},
                                         EncodeCase{"zeroBytes", Bytes({0, 0, 0, 0}), "AAAAAA=="},
                                         EncodeCase{"highBits", Bytes({0xFB, 0xFF, 0xBF}), "+/+/"},
                                         EncodeCase{"gbkAddress", ByteSet(Raw({'a', '/', 0xD6, 0xD0, '.'})),
                                                    "YS/W0C4="}),
                         [](const auto &info) { return std::string(info.param.name); });

struct DecodeCase
{
    const char *name;
    AnsiText text;
    ByteSet bytes;
};

class Base64DecodeTable : public testing::TestWithParam<DecodeCase>
{
};

TEST_P(Base64DecodeTable, FollowsTheTolerantRules)
{
    EXPECT_EQ(Base64Decode(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Base64DecodeTable,
    testing::Values(
        DecodeCase{"clean", "QUJD", Bytes({0x41, 0x42, 0x43})}, DecodeCase{"empty", "", ByteSet()},
        DecodeCase{"twoPads", "QQ==", Bytes({0x41})}, DecodeCase{"onePad", "QUI=", Bytes({0x41, 0x42})},
        // Missing characters read as "A", so a missing "=" leaves zero bytes behind.
        DecodeCase{"twoMissing", "QQ", Bytes({0x41, 0, 0})}, DecodeCase{"oneMissing", "QUI", Bytes({0x41, 0x42, 0})},
        DecodeCase{"spacedOut", "Q Q = =", Bytes({0x41})},
        DecodeCase{"spaceInside", "QU JD", Bytes({0x41, 0x42, 0x43})},
        DecodeCase{"fullWidthSpace", AnsiText(Raw({'Q', 'U', 0xA1, 0xA1, 'J', 'D'})), Bytes({0x41, 0x42, 0x43})},
        DecodeCase{"crLfInside", "QU\r\nJD", Bytes({0x41, 0x42, 0x43})},
        // A stray character after complete groups makes a last group that ends at once: four bytes go.
        DecodeCase{"padAfterGroup", "QUJD=", Bytes({0x41, 0x42})},
        DecodeCase{"loneLfAtEnd", "QUJD\n", Bytes({0x41, 0x42})},
        DecodeCase{"loneCrAtEnd", "QUJD\r", Bytes({0x41, 0x42})}, DecodeCase{"padFirst", "=QQQ", ByteSet()},
        // A group that ends early in the middle keeps its three bytes, built from the raw byte.
        DecodeCase{"tabInside", "QU\tJD", Bytes({0x41, 0x42, 0x40, 0x0C, 0, 0})},
        DecodeCase{"padInMiddle", "QQ==QUJD", Bytes({0x41, 0x0F, 0x40, 0x41, 0x42, 0x43})},
        // Slots after the stop keep the previous group's values (J and D here).
        DecodeCase{"slotsPersist", "QUJDQ=QUQUJD", Bytes({0x41, 0x42, 0x43, 0x43, 0xD2, 0x43, 0x41, 0x42, 0x43})},
        DecodeCase{"highByteEndsGroup", AnsiText(Raw({'Q', 'U', 0xB0, 'D'})), Bytes({0x41})},
        DecodeCase{"caseSensitive", "qujd", Bytes({0xAA, 0xE8, 0xDD})},
        // B0 0D is one character, so the CR LF after the lead byte is not removed.
        DecodeCase{"crLfBehindLeadByte", AnsiText(Raw({0xB0, 0x0D, 0x0A, 'Q', 'U', 'J', 'D'})),
                   Bytes({0xC0, 0x00, 0x00, 0x50, 0x90, 0xC0})},
        // Spaces go before CR LF pairs are looked for, so a space between CR and LF does not keep them.
        DecodeCase{"spaceInsideCrLf", "QU\r \nJD", Bytes({0x41, 0x42, 0x43})},
        // Removed text is not searched again: the CR and LF around a removed pair stay, and the CR
        // ends the first group at its third character.
        DecodeCase{"crLfAroundCrLf", "QU\r\r\n\nJD", Bytes({0x41, 0x43, 0x40, 0x24, 0x30, 0x00})},
        // The "=" first makes the whole text go through the cleaning, which passes over eight bytes
        // at a time: here a space, a CR LF pair and a lead byte sit where two such blocks meet.
        DecodeCase{"spaceAtBlockEdge", "=UJDQUJD QUJDQUJD",
                   Bytes({0xF4, 0, 0, 0x41, 0x42, 0x43, 0x41, 0x42, 0x43, 0x41, 0x42, 0x43})},
        DecodeCase{"crLfAcrossBlockEdge", "=UJDQUJ\r\nDQUJDQUJD",
                   Bytes({0xF4, 0, 0, 0x41, 0x42, 0x43, 0x41, 0x42, 0x43, 0x41, 0x42, 0x43})},
        DecodeCase{"leadByteAcrossBlockEdge",
                   AnsiText("=UJDQUJ\xB0"
                            "DQUJDQUJD"),
                   Bytes({0xF4, 0, 0, 0x41, 0x42, 0xF0, 0x0D, 0x05, 0x09, 0x0D, 0x05, 0x09, 0x0C, 0, 0})}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Base64, DecodingTheEncodingGivesTheBytesBack)
{
    std::mt19937 random(20261211);
    for (int round = 0; round < 300; ++round) {
        std::string data(random() % 200, '\0');
        for (char &byte : data)
            byte = static_cast<char>(random());
        const ByteSet original(data);
        ASSERT_EQ(Base64Decode(Base64Encode(original)), original) << "round " << round;
    }
}

int eventsCalls = 0;
void CountEvents()
{
    ++eventsCalls;
}

TEST(Base64Decode, RunsPendingEventsOncePerGroup)
{
    eventsCalls = 0;
    const PendingEventsHook previous = SetPendingEventsHook(CountEvents);
    Base64Decode("QUJD QUJD\r\nQUJDQQ"); // four groups once the space and CR LF are gone
    Base64Decode("");
    SetPendingEventsHook(previous);
    EXPECT_EQ(eventsCalls, 4);
}

struct IntoCase
{
    const char *name;
    std::string text; // may hold a zero byte
    std::string bytes;
};

class Base64DecodeIntoTable : public testing::TestWithParam<IntoCase>
{
};

TEST_P(Base64DecodeIntoTable, ReplacesTheBufferAndEndsTheTextAtAZeroByte)
{
    for (std::string out : {std::string(), std::string(100, 'x')}) {
        Base64DecodeInto(GetParam().text, out);
        EXPECT_EQ(out, GetParam().bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Base64DecodeIntoTable,
                         testing::Values(IntoCase{"empty", "", ""}, IntoCase{"clean", "QUJD", "ABC"},
                                         IntoCase{"zeroEndsText", std::string("QUJD\0QUJD", 9), "ABC"},
                                         IntoCase{"zeroInGroup", std::string("QU\0D", 4), Raw({0x41, 0x40, 0})},
                                         IntoCase{"cleaned", "Q U J D\r\n", "ABC"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Base64EncodeInto, ReplacesTheBufferWithTheText)
{
    for (std::string out : {std::string(), std::string(100, 'x')}) {
        Base64EncodeInto("AB", out);
        EXPECT_EQ(out, "QUI=");
        Base64EncodeInto("", out);
        EXPECT_EQ(out, "");
    }
    EXPECT_EQ(Base64EncodedLength(0), 0u);
    EXPECT_EQ(Base64EncodedLength(4), 8u);
}

TEST(CodecPath, ScalarComesFirstAndEveryAvailablePathCanBeUsed)
{
    const std::vector<CodecPath> paths = AvailableCodecPaths();
    ASSERT_FALSE(paths.empty());
    EXPECT_EQ(paths.front(), CodecPath::Scalar);
    const CodecPath fastest = ActiveCodecPath();
    EXPECT_EQ(fastest, paths.back());
    for (const CodecPath path : paths) {
        EXPECT_EQ(UseCodecPath(path), fastest);
        EXPECT_EQ(ActiveCodecPath(), path);
        EXPECT_EQ(Base64Decode(Base64Encode(ByteSet(std::string(100, 'k')))).bytes(), std::string(100, 'k'));
        UseCodecPath(fastest);
    }
    EXPECT_EQ(CodecPathName(CodecPath::Scalar), "scalar");
    EXPECT_EQ(CodecPathName(CodecPath::Avx2), "avx2");
}

} // namespace
} // namespace korimbo
