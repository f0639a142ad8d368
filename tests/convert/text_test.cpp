#include "convert/text.h"

#include <limits>

#include <gtest/gtest.h>

#include "hex.h"

namespace korimbo {
namespace {

using test::Text;

TEST(AnsiText, EndsAtFirstZeroByte)
{
    EXPECT_EQ(AnsiText(test::Raw({0x61, 0x00, 0x62})), AnsiText("a"));
    EXPECT_EQ(AnsiText(static_cast<const char *>(nullptr)), AnsiText());
}

struct CutCase
{
    const char *name;
    AnsiText text;
    int count;
    AnsiText left;
    AnsiText right;
};

class TextCut : public testing::TestWithParam<CutCase>
{
};

TEST_P(TextCut, LeftAndRightClampTheirCount)
{
    const CutCase &c = GetParam();
    EXPECT_EQ(TextLeft(c.text, c.count), c.left);
    EXPECT_EQ(TextRight(c.text, c.count), c.right);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextCut,
    testing::Values(CutCase{"zero", "abc", 0, "", ""}, CutCase{"negative", "abc", -5, "", ""},
                    CutCase{"inside", "abcd", 2, "ab", "cd"}, CutCase{"whole", "abc", 3, "abc", "abc"},
                    CutCase{"beyond", "abc", 100, "abc", "abc"}, CutCase{"empty", "", 2, "", ""},
                    // Counts are bytes: a cut may split a two-byte character.
                    CutCase{"halfCharacter", Text({0xB0, 0xC1, 0x41}), 1, Text({0xB0}), Text({0x41})}),
    [](const auto &info) { return std::string(info.param.name); });

struct FindCase
{
    const char *name;
    AnsiText text;
    AnsiText what;
    int position;
};

class FindTextTable : public testing::TestWithParam<FindCase>
{
};

TEST_P(FindTextTable, FindsOnCharacterBoundariesOnly)
{
    EXPECT_EQ(FindText(GetParam().text, GetParam().what), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindTextTable,
    testing::Values(
        FindCase{"emptyInText", "abc", "", 1}, FindCase{"emptyInEmpty", "", "", -1},
        FindCase{"anythingInEmpty", "", "a", -1}, FindCase{"afterOneByte", " http://x", "http://", 2},
        FindCase{"caseSensitive", "Thunder://x", "thunder://", -1}, FindCase{"longerThanText", "ab", "abc", -1},
        FindCase{"atEnd", "xxabc", "abc", 3},
        // C1 41: C1 is the second byte of B0 C1, so no match may start there.
        FindCase{"notOnSecondByte", Text({0xB0, 0xC1, 0x41}), Text({0xC1, 0x41}), -1},
        FindCase{"singleAfterCharacter", Text({0xB0, 0xC1, 0x41}), "A", 3},
        FindCase{"matchMayEndInsideCharacter", Text({0x61, 0xB0, 0xC1}), Text({0x61, 0xB0}), 1},
        FindCase{"laterOccurrenceOnBoundary", Text({0xB0, 0x41, 0x41}), "A", 3},
        FindCase{"markerHiddenBehindLeadByte", Text({0xB0, 'h', 't', 't', 'p', ':', '/', '/'}), "http://", -1},
        FindCase{"loneLeadByteTriedAtEnd", Text({0x61, 0xB0}), Text({0xB0}), 2},
        FindCase{"emptyInAlphabet", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/", "", 1},
        FindCase{"slashInAlphabet", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/", "/", 64},
        FindCase{"padNotInAlphabet", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/", "=", -1}),
    [](const auto &info) { return std::string(info.param.name); });

struct CleanCase
{
    const char *name;
    AnsiText text;
    AnsiText expected;
};

class RemoveAllSpacesTable : public testing::TestWithParam<CleanCase>
{
};

TEST_P(RemoveAllSpacesTable, DropsAsciiAndFullWidthSpaces)
{
    EXPECT_EQ(RemoveAllSpaces(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, RemoveAllSpacesTable,
                         testing::Values(CleanCase{"ascii", Text({0x20, 0x61, 0x20, 0x62, 0x20}), "ab"},
                                         CleanCase{"fullWidth", Text({0x61, 0xA1, 0xA1, 0x62}), "ab"},
                                         CleanCase{"tabCrLfStay", "a\tb\r\nc", "a\tb\r\nc"},
                                         CleanCase{"loneLeadByteDropped", Text({0x61, 0xB0}), "a"},
                                         // A1 A1 straddling two characters is not a full-width space.
                                         CleanCase{"straddlingA1A1Stays", Text({0xB0, 0xA1, 0xA1, 0xB0}),
                                                   Text({0xB0, 0xA1, 0xA1, 0xB0})},
                                         // The space after a lead byte is that character's second byte.
                                         CleanCase{"spaceAsSecondByte", Text({0xB0, 0x20, 0x20}), Text({0xB0, 0x20})},
                                         CleanCase{"onlySpaces", "   ", ""}, CleanCase{"empty", "", ""}),
                         [](const auto &info) { return std::string(info.param.name); });

struct ReplaceCase
{
    const char *name;
    AnsiText text;
    AnsiText subtext;
    AnsiText replacement;
    AnsiText expected;
};

class ReplaceSubtextTable : public testing::TestWithParam<ReplaceCase>
{
};

TEST_P(ReplaceSubtextTable, ReplacesOnCharacterBoundaries)
{
    const ReplaceCase &c = GetParam();
    EXPECT_EQ(ReplaceSubtext(c.text, c.subtext, c.replacement), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceSubtextTable,
    testing::Values(ReplaceCase{"crLfRemoved", "a\r\nb\r\n", "\r\n", "", "ab"},
                    // The CR is the second byte of B0 0D, so the CR LF it forms stays.
                    ReplaceCase{"crLfBehindLeadByte", Text({0xB0, 0x0D, 0x0A}), "\r\n", "", Text({0xB0, 0x0D, 0x0A})},
                    ReplaceCase{"loneLeadByteAtEndStays", Text({0x61, 0xB0}), "\r\n", "", Text({0x61, 0xB0})},
                    ReplaceCase{"loneLeadByteDroppedByOneByteSubtext", Text({0x61, 0xB0}), "x", "", "a"},
                    ReplaceCase{"empty", "", "\r\n", "", ""}, ReplaceCase{"emptySubtext", "abc", "", "x", "abc"},
                    ReplaceCase{"loneCrAndLfStay", "a\rb\nc\n\r", "\r\n", "", "a\rb\nc\n\r"},
                    // Inserted text is not searched again.
                    ReplaceCase{"replacementNotRescanned", "aabb", "ab", "", "ab"},
                    ReplaceCase{"longerReplacement", "x-y-z", "-", "<>", "x<>y<>z"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CharCodeAt, ReadsSignedBytesAndZeroOutside)
{
    const AnsiText abc = "abc";
    EXPECT_EQ(CharCodeAt(abc, 3), 99);
    for (const int outside : {0, 4, 100, -1, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()})
        EXPECT_EQ(CharCodeAt(abc, outside), 0) << outside;
    EXPECT_EQ(CharCodeAt("="), 61);
    EXPECT_EQ(CharCodeAt(""), 0);
    EXPECT_EQ(CharCodeAt(Text({0xB0})), -80);
}

TEST(CharFromCode, ZeroGivesEmptyText)
{
    EXPECT_EQ(CharFromCode(65), AnsiText("A"));
    EXPECT_EQ(CharFromCode(0xB0), Text({0xB0}));
    EXPECT_EQ(CharFromCode(0), AnsiText());
}

TEST(ConcatText, JoinsInOrderWithEmptyParts)
{
    EXPECT_EQ(ConcatText("AA", AnsiText(), "ZZ"), Text({0x41, 0x41, 0x5A, 0x5A}));
    EXPECT_EQ(ConcatText(AnsiText(), ""), AnsiText());
}

struct CompareCase
{
    const char *name;
    AnsiText a;
    AnsiText b;
    int order;
};

class CompareTextTable : public testing::TestWithParam<CompareCase>
{
};

TEST_P(CompareTextTable, OrdersByUnsignedBytes)
{
    EXPECT_EQ(CompareText(GetParam().a, GetParam().b), GetParam().order);
    EXPECT_EQ(CompareText(GetParam().b, GetParam().a), -GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(Cases, CompareTextTable,
                         testing::Values(CompareCase{"emptyEqualsMissing", AnsiText(), "", 0},
                                         CompareCase{"equal", "http://", "http://", 0},
                                         CompareCase{"caseDiffers", "HTTP://", "http://", -1},
                                         CompareCase{"prefixFirst", "http", "http://", -1},
                                         CompareCase{"unsignedBytes", "z", Text({0xB0}), -1}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace korimbo
