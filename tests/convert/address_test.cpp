#include "convert/address.h"

#include <random>

#include <gtest/gtest.h>

#include "hex.h"

namespace korimbo {
namespace {

using test::Raw;

const AnsiText kFailed = ConversionFailedText;

struct RowCase
{
    const char *name;
    AnsiText input;
    std::array<AnsiText, 4> row; // indexed by OutputKind
};

class ConvertAddressRow : public testing::TestWithParam<RowCase>
{
};

TEST_P(ConvertAddressRow, GivesEachForm)
{
    const RowCase &c = GetParam();
    for (int kind = RealAddress; kind <= WhirlwindLink; ++kind)
        EXPECT_EQ(ConvertAddress(c.input, kind), c.row[static_cast<std::size_t>(kind)]) << "kind " << kind;
    const AddressForms all = ConvertAllForms(c.input);
    EXPECT_EQ(all.forms, c.row);
    EXPECT_EQ(all.recognised, c.row[RealAddress] != kFailed || c.input == kFailed);
}

const AnsiText kReal = "http://a/b.rar";
const AnsiText kThunder = "thunder://QUFodHRwOi8vYS9iLnJhclpa";
const AnsiText kFlashGet = "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&1926";
const AnsiText kWhirlwind = "qqdl://aHR0cDovL2EvYi5yYXI=";
const AnsiText kGbkReal(Raw({'h', 't', 't', 'p', ':', '/', '/', 'a', '/', 0xD6, 0xD0, '.', 'r', 'a', 'r'}));

INSTANTIATE_TEST_SUITE_P(WorkedExample, ConvertAddressRow,
                         testing::Values(RowCase{"fromReal", kReal, {kReal, kThunder, kFlashGet, kWhirlwind}},
                                         RowCase{"fromThunder", kThunder, {kReal, kThunder, kFlashGet, kWhirlwind}},
                                         RowCase{"fromFlashGet", kFlashGet, {kReal, kThunder, kFlashGet, kWhirlwind}},
                                         RowCase{"fromWhirlwind", kWhirlwind, {kReal, kThunder, kFlashGet, kWhirlwind}},
                                         RowCase{"gbkAddress",
                                                 kGbkReal,
                                                 {kGbkReal, "thunder://QUFodHRwOi8vYS/W0C5yYXJaWg==",
                                                  "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL9bQLnJhcltGTEFTSEdFVF0=&1926",
                                                  "qqdl://aHR0cDovL2Ev1tAucmFy"}},
                                         RowCase{"gbkFromThunder",
                                                 "thunder://QUFodHRwOi8vYS/W0C5yYXJaWg==",
                                                 {kGbkReal, "thunder://QUFodHRwOi8vYS/W0C5yYXJaWg==",
                                                  "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL9bQLnJhcltGTEFTSEdFVF0=&1926",
                                                  "qqdl://aHR0cDovL2Ev1tAucmFy"}}),
                         [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ConvertAddressRow,
    testing::Values(
        RowCase{"empty", "", {kFailed, kFailed, kFailed, kFailed}},
        RowCase{"bareThunderPrefix",
                "thunder://",
                {"", "thunder://", "Flashget://W0ZMQVNIR0VUXVtGTEFTSEdFVF0=&1926", "qqdl://"}},
        // Lower-case "flashget://" is none of the markers: a plain address.
        RowCase{"lowerCaseFlashGet",
                "flashget://abc",
                {"flashget://abc", "thunder://QUFmbGFzaGdldDovL2FiY1pa",
                 "Flashget://W0ZMQVNIR0VUXWZsYXNoZ2V0Oi8vYWJjW0ZMQVNIR0VUXQ==&1926", "qqdl://Zmxhc2hnZXQ6Ly9hYmM="}},
        RowCase{"leadingSpace", " http://x", {kFailed, kFailed, kFailed, kFailed}},
        RowCase{"markerInsideFtp", "ftp://h/http://x", {kFailed, kFailed, kFailed, kFailed}},
        RowCase{"markerInHttpsQuery", "https://h/?u=http://x", {kFailed, kFailed, kFailed, kFailed}},
        // A link given without its "=" decodes to the same address; its own box keeps it as typed.
        RowCase{"whirlwindWithoutPad",
                "qqdl://aHR0cDovL2EvYi5yYXI",
                {kReal, kThunder, kFlashGet, "qqdl://aHR0cDovL2EvYi5yYXI"}},
        RowCase{"flashGetOtherSuffix",
                "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&abc",
                {kReal, kThunder, "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&abc", kWhirlwind}},
        RowCase{"thunderWithSpaces",
                "thunder://QUFo dHRwOi8v YS9iLnJhclpa",
                {kReal, "thunder://QUFo dHRwOi8v YS9iLnJhclpa", kFlashGet, kWhirlwind}},
        // The markers are stripped by length, whatever they are.
        RowCase{"thunderWithoutMarkers",
                "thunder://aHR0cDovL2EvYi5yYXI=",
                {"tp://a/b.r", "thunder://aHR0cDovL2EvYi5yYXI=",
                 "Flashget://W0ZMQVNIR0VUXXRwOi8vYS9iLnJbRkxBU0hHRVRd&1926", "qqdl://dHA6Ly9hL2Iucg=="}},
        RowCase{"flashGetAmpersandRightAfterPrefix",
                "Flashget://&1926",
                {"", "thunder://QUFaWg==", "Flashget://&1926", "qqdl://"}},
        RowCase{"httpBeforeThunder",
                "http://x/thunder://y",
                {"http://x/thunder://y", "thunder://QUFodHRwOi8veC90aHVuZGVyOi8veVpa",
                 "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly94L3RodW5kZXI6Ly95W0ZMQVNIR0VUXQ==&1926",
                 "qqdl://aHR0cDovL3gvdGh1bmRlcjovL3k="}},
        // "http://" hidden behind a lead byte is not found, so the text is plain.
        RowCase{"markerOnSecondByte",
                AnsiText(Raw({0xB0, 'h', 't', 't', 'p', ':', '/', '/'})),
                {AnsiText(Raw({0xB0, 'h', 't', 't', 'p', ':', '/', '/'})), "thunder://QUGwaHR0cDovL1pa",
                 "Flashget://W0ZMQVNIR0VUXbBodHRwOi8vW0ZMQVNIR0VUXQ==&1926", "qqdl://sGh0dHA6Ly8="}},
        RowCase{"theFailureTextItself",
                ConversionFailedText,
                {ConversionFailedText, "thunder://QUHXqru7yqew3Fpa",
                 "Flashget://W0ZMQVNIR0VUXdequ7vKp7DcW0ZMQVNIR0VUXQ==&1926", "qqdl://16q7u8qnsNw="}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ConvertAddress, KindOutsideTheFourFails)
{
    for (const int kind : {4, -1, 1000})
        EXPECT_EQ(ConvertAddress(kThunder, kind), kFailed) << kind;
}

TEST(ConvertAllForms, TellsAFailureFromAnAddressThatReadsLikeOne)
{
    EXPECT_FALSE(ConvertAllForms("").recognised);
    EXPECT_FALSE(ConvertAllForms(" http://x").recognised);
    const AddressForms lookalike = ConvertAllForms(ConversionFailedText);
    EXPECT_TRUE(lookalike.recognised);
    EXPECT_EQ(lookalike.forms[RealAddress], ConversionFailedText);
}

struct ClassifyCase
{
    const char *name;
    AnsiText input;
    InputForm form;
};

class ClassifyInputTable : public testing::TestWithParam<ClassifyCase>
{
};

TEST_P(ClassifyInputTable, TestsPrefixesInOrder)
{
    EXPECT_EQ(ClassifyInput(GetParam().input), GetParam().form);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClassifyInputTable,
                         testing::Values(ClassifyCase{"empty", "", InputForm::Empty},
                                         ClassifyCase{"https", "https://x", InputForm::Plain},
                                         ClassifyCase{"http", "http://x", InputForm::Http},
                                         ClassifyCase{"thunder", "thunder://x", InputForm::Thunder},
                                         ClassifyCase{"flashGet", "Flashget://x", InputForm::FlashGet},
                                         ClassifyCase{"whirlwind", "qqdl://x", InputForm::Whirlwind},
                                         ClassifyCase{"upperCaseThunder", "Thunder://x", InputForm::Plain},
                                         ClassifyCase{"markerLater", "x qqdl://", InputForm::Unrecognised}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Decoders, ShortLinksGiveTheEmptyAddress)
{
    EXPECT_EQ(DecodeThunder("thunder://QUFaWg=="), AnsiText()); // "AAZZ": nothing between the markers
    EXPECT_EQ(DecodeThunder("thunder://QUE="), AnsiText());
    EXPECT_EQ(DecodeFlashGet("Flashget://W0ZMQVNIR0VUXQ=="), AnsiText());
    EXPECT_EQ(DecodeFlashGet("Flashget:/"), AnsiText());
    EXPECT_EQ(DecodeWhirlwind("qqdl"), AnsiText());
    // Without any "&", all the text after the prefix is decoded.
    EXPECT_EQ(DecodeFlashGet("Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ=="), kReal);
}

TEST(Links, DecodeBackToAnyAddressWithoutZeroBytes)
{
    std::mt19937 random(1926);
    for (int round = 0; round < 300; ++round) {
        std::string raw(random() % 80, '\0');
        for (char &byte : raw)
            byte = static_cast<char>(1 + random() % 255);
        const AnsiText address(raw);
        ASSERT_EQ(DecodeThunder(EncodeThunder(address)), address) << test::Hex(raw);
        ASSERT_EQ(DecodeFlashGet(EncodeFlashGet(address)), address) << test::Hex(raw);
        ASSERT_EQ(DecodeWhirlwind(EncodeWhirlwind(address)), address) << test::Hex(raw);
        ASSERT_EQ(ConvertAddress(EncodeThunder(address), RealAddress), address) << test::Hex(raw);
    }
}

struct SourceCase
{
    const char *name;
    std::string input; // may hold a zero byte
    InputForm form;
    std::string real;
};

class ReadAddressTable : public testing::TestWithParam<SourceCase>
{
};

TEST_P(ReadAddressTable, ClassifiesAndFindsTheRealAddress)
{
    std::string decoded = "left over";
    const AddressSource source = ReadAddress(GetParam().input, decoded);
    EXPECT_EQ(source.form, GetParam().form);
    EXPECT_EQ(source.real, GetParam().real);
    EXPECT_EQ(source.input, std::string_view(GetParam().input).substr(0, GetParam().input.find('\0')));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadAddressTable,
    testing::Values(SourceCase{"empty", "", InputForm::Empty, ""},
                    SourceCase{"plain", "ftp://h/a", InputForm::Plain, "ftp://h/a"},
                    SourceCase{"thunder", std::string(kThunder.bytes()), InputForm::Thunder, "http://a/b.rar"},
                    SourceCase{"flashGet", std::string(kFlashGet.bytes()), InputForm::FlashGet, "http://a/b.rar"},
                    SourceCase{"whirlwind", std::string(kWhirlwind.bytes()), InputForm::Whirlwind, "http://a/b.rar"},
                    SourceCase{"unrecognised", "x http://", InputForm::Unrecognised, ""},
                    // The input ends at its first zero byte, as a text does.
                    SourceCase{"zeroEndsInput", std::string("qqdl://aHR0cDovL2EvYi5yYXI=\0junk", 32),
                               InputForm::Whirlwind, "http://a/b.rar"},
                    SourceCase{"zeroBeforeMarker", std::string("a\0http://", 9), InputForm::Plain, "a"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FormOf, ViewsTheInputOrTheRealAddressAndBuildsTheOtherLinks)
{
    std::string decoded, link = "left over";
    const AddressSource source = ReadAddress(kThunder.bytes(), decoded);
    EXPECT_EQ(FormOf(source, RealAddress, link).data(), source.real.data());
    EXPECT_EQ(FormOf(source, ThunderLink, link).data(), source.input.data());
    EXPECT_EQ(FormOf(source, FlashGetLink, link), kFlashGet.bytes());
    EXPECT_EQ(link, kFlashGet.bytes());
    EXPECT_EQ(FormOf(source, WhirlwindLink, link), kWhirlwind.bytes());
    EXPECT_EQ(FormOf(source, 4, link), kFailed.bytes());
    EXPECT_EQ(FormOf(ReadAddress(" http://x", decoded), RealAddress, link), kFailed.bytes());

    const std::array<bool, 4> built{false, false, true, true};
    for (std::int32_t kind = RealAddress; kind <= WhirlwindLink; ++kind)
        EXPECT_EQ(BuildsLink(source, kind), built[static_cast<std::size_t>(kind)]) << kind;
    EXPECT_FALSE(BuildsLink(source, 4));
    EXPECT_FALSE(BuildsLink(ReadAddress("", decoded), ThunderLink));
}

TEST(LinkLength, CountsPrefixBase64TextAndSuffix)
{
    for (const std::size_t size : {0, 1, 2, 3, 14, 100}) {
        const AnsiText address(std::string(size, 'a'));
        EXPECT_EQ(LinkLength(ThunderLink, size), EncodeThunder(address).bytes().size()) << size;
        EXPECT_EQ(LinkLength(FlashGetLink, size), EncodeFlashGet(address).bytes().size()) << size;
        EXPECT_EQ(LinkLength(WhirlwindLink, size), EncodeWhirlwind(address).bytes().size()) << size;
    }
}

} // namespace
} // namespace korimbo
