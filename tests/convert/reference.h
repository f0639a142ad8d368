#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/address.h"
#include "convert/base64.h"
#include "convert/bytes.h"
#include "convert/numeric.h"
#include "convert/text.h"

// The codec and the address conversion written step by step as their rules read, on the text and
// byte operations, one value after another. The fast code is checked against them by the
// reference tests (tests/convert/reference_test.cpp) and by the fuzz targets (fuzz/).
namespace korimbo::reference {

// Pads a copy with zero bytes to whole groups of three, writes four characters per group and
// turns the characters that only padding made into "=".
inline AnsiText Encode(const ByteSet &data)
{
    const int n = BytesLength(data);
    if (n < 1)
        return {};
    const int r = TruncateToInt(Remainder(n, 3.0));
    const ByteSet padded = r > 0 ? ConcatBytes(data, BlankBytes(3 - r)) : data;
    std::string text;
    for (int g = 0; g < BytesLength(padded) / 3; ++g) {
        const int b1 = ElementAt(padded, 3 * g + 1), b2 = ElementAt(padded, 3 * g + 2),
                  b3 = ElementAt(padded, 3 * g + 3);
        for (const int value : {ShiftRight(b1, 2), BitOr(ShiftLeft(BitAnd(b1, 3), 4), ShiftRight(b2, 4)),
                                BitOr(ShiftLeft(BitAnd(b2, 15), 2), ShiftRight(b3, 6)), BitAnd(b3, 63)})
            text.push_back(kBase64Alphabet[value]);
    }
    if (r > 0)
        text.replace(text.size() - static_cast<std::size_t>(3 - r), static_cast<std::size_t>(3 - r), 3 - r, '=');
    return AnsiText(text);
}

// Cleans the text, then takes groups of four characters, a missing character reading as "A", a
// group ending at its first character outside the alphabet with that character's raw byte in its
// slot (the later slots keeping the previous group's values), and shortens the output after a last
// group that ended early. `groups` receives the number of groups.
inline ByteSet Decode(const AnsiText &text, long &groups)
{
    const AnsiText t = ReplaceSubtext(RemoveAllSpaces(text), "\r\n");
    const std::string_view alphabet = kBase64Alphabet;
    const std::size_t n = t.bytes().size();
    groups = static_cast<long>(n / 4 + (n % 4 != 0 ? 1 : 0));
    unsigned slots[4] = {0, 0, 0, 0};
    int stop = 0;
    std::string out;
    for (long g = 0; g < groups; ++g) {
        stop = 5;
        for (int k = 0; k < 4; ++k) {
            const auto c = static_cast<unsigned char>(CharCodeAt(t, static_cast<int>(g * 4 + k + 1)));
            const std::size_t found = c == 0 ? 0 : alphabet.find(static_cast<char>(c));
            if (found == std::string_view::npos) {
                slots[k] = c;
                stop = k + 1;
                break;
            }
            slots[k] = static_cast<unsigned>(found);
        }
        out.push_back(static_cast<char>(((slots[0] * 4) | (slots[1] / 16)) & 0xFF));
        out.push_back(static_cast<char>(((slots[1] * 16) | (slots[2] / 4)) & 0xFF));
        out.push_back(static_cast<char>(((slots[2] * 64) | slots[3]) & 0xFF));
    }
    if (stop < 5) {
        const std::size_t drop = static_cast<std::size_t>(5 - stop);
        out.resize(out.size() > drop ? out.size() - drop : 0);
    }
    return ByteSet(out);
}

inline ByteSet Decode(const AnsiText &text)
{
    long groups = 0;
    return Decode(text, groups);
}

inline bool BeginsWith(const AnsiText &input, const AnsiText &prefix)
{
    return CompareText(TextLeft(input, TextLength(prefix)), prefix) == 0;
}

inline InputForm Classify(const AnsiText &input)
{
    const AnsiText http = "http://", thunder = "thunder://", flashGet = "Flashget://", qqdl = "qqdl://";
    if (CompareText(input, "") == 0)
        return InputForm::Empty;
    if (FindText(input, http) == -1 && FindText(input, thunder) == -1 && FindText(input, flashGet) == -1 &&
        FindText(input, qqdl) == -1)
        return InputForm::Plain;
    if (BeginsWith(input, http))
        return InputForm::Http;
    if (BeginsWith(input, thunder))
        return InputForm::Thunder;
    if (BeginsWith(input, flashGet))
        return InputForm::FlashGet;
    if (BeginsWith(input, qqdl))
        return InputForm::Whirlwind;
    return InputForm::Unrecognised;
}

inline AnsiText EncodeThunder(const AnsiText &a)
{
    return ConcatText("thunder://", Encode(ToBytes(ConcatText("AA", a, "ZZ"))));
}

inline AnsiText EncodeFlashGet(const AnsiText &a)
{
    return ConcatText("Flashget://", Encode(ToBytes(ConcatText("[FLASHGET]", a, "[FLASHGET]"))), "&1926");
}

inline AnsiText EncodeWhirlwind(const AnsiText &a)
{
    return ConcatText("qqdl://", Encode(ToBytes(a)));
}

inline AnsiText DecodeThunder(const AnsiText &link)
{
    const AnsiText p = TextRight(link, TextLength(link) - 10);
    const AnsiText s = ToText(Decode(p));
    const int m = TextLength(s);
    return TextLeft(TextRight(s, m - 2), m - 2 - 2);
}

inline AnsiText DecodeFlashGet(const AnsiText &link)
{
    const int n = TextLength(link);
    AnsiText p = TextRight(link, n - 11);
    if (FindText(link, "&") != -1) {
        const AnsiText t = TextRight(link, n - 11);
        p = TextLeft(t, FindText(t, "&") - 1);
    }
    const AnsiText s = ToText(Decode(p));
    const int m = TextLength(s);
    return TextRight(TextLeft(s, m - 10), m - 10 - 10);
}

inline AnsiText DecodeWhirlwind(const AnsiText &link)
{
    return ToText(Decode(TextRight(link, TextLength(link) - 7)));
}

// The row of the conversion table for the input's form, indexed by OutputKind.
inline std::array<AnsiText, 4> ConvertRow(const AnsiText &input)
{
    const InputForm form = Classify(input);
    if (form == InputForm::Empty || form == InputForm::Unrecognised)
        return {ConversionFailedText, ConversionFailedText, ConversionFailedText, ConversionFailedText};
    const AnsiText real = form == InputForm::Thunder     ? reference::DecodeThunder(input)
                          : form == InputForm::FlashGet  ? reference::DecodeFlashGet(input)
                          : form == InputForm::Whirlwind ? reference::DecodeWhirlwind(input)
                                                         : input;
    return {real, form == InputForm::Thunder ? input : reference::EncodeThunder(real),
            form == InputForm::FlashGet ? input : reference::EncodeFlashGet(real),
            form == InputForm::Whirlwind ? input : reference::EncodeWhirlwind(real)};
}

} // namespace korimbo::reference
