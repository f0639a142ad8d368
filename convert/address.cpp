#include "convert/address.h"

#include "convert/base64.h"
#include "convert/bytes.h"

namespace korimbo {
namespace {

const AnsiText kHttpPrefix = "http://";
const AnsiText kThunderPrefix = "thunder://";
const AnsiText kFlashGetPrefix = "Flashget://";
const AnsiText kWhirlwindPrefix = "qqdl://";

bool BeginsWith(const AnsiText &input, const AnsiText &prefix)
{
    return CompareText(TextLeft(input, TextLength(prefix)), prefix) == 0;
}

} // namespace

InputForm ClassifyInput(const AnsiText &input)
{
    if (CompareText(input, "") == 0)
        return InputForm::Empty;
    if (FindText(input, kHttpPrefix) == -1 && FindText(input, kThunderPrefix) == -1 &&
        FindText(input, kFlashGetPrefix) == -1 && FindText(input, kWhirlwindPrefix) == -1)
        return InputForm::Plain;
    if (BeginsWith(input, kHttpPrefix))
        return InputForm::Http;
    if (BeginsWith(input, kThunderPrefix))
        return InputForm::Thunder;
    if (BeginsWith(input, kFlashGetPrefix))
        return InputForm::FlashGet;
    if (BeginsWith(input, kWhirlwindPrefix))
        return InputForm::Whirlwind;
    return InputForm::Unrecognised;
}

AddressForms ConvertAllForms(const AnsiText &input)
{
    AddressForms result;
    auto &forms = result.forms;
    const InputForm form = ClassifyInput(input);
    if (form == InputForm::Empty || form == InputForm::Unrecognised) {
        forms.fill(ConversionFailedText);
        return result;
    }
    result.recognised = true;
    switch (form) {
    case InputForm::Thunder:
        forms[RealAddress] = DecodeThunder(input);
        break;
    case InputForm::FlashGet:
        forms[RealAddress] = DecodeFlashGet(input);
        break;
    case InputForm::Whirlwind:
        forms[RealAddress] = DecodeWhirlwind(input);
        break;
    default:
        forms[RealAddress] = input;
        break;
    }
    // A link that was given is never re-encoded: its own form is the input as typed.
    const AnsiText &real = forms[RealAddress];
    forms[ThunderLink] = form == InputForm::Thunder ? input : EncodeThunder(real);
    forms[FlashGetLink] = form == InputForm::FlashGet ? input : EncodeFlashGet(real);
    forms[WhirlwindLink] = form == InputForm::Whirlwind ? input : EncodeWhirlwind(real);
    return result;
}

AnsiText ConvertAddress(const AnsiText &input, std::int32_t kind)
{
    if (kind < RealAddress || kind > WhirlwindLink)
        return ConversionFailedText;
    return std::move(ConvertAllForms(input).forms[static_cast<std::size_t>(kind)]);
}

AnsiText EncodeThunder(const AnsiText &address)
{
    return ConcatText(kThunderPrefix, Base64Encode(ToBytes(ConcatText("AA", address, "ZZ"))));
}

AnsiText EncodeFlashGet(const AnsiText &address)
{
    const AnsiText wrapped = ConcatText("[FLASHGET]", address, "[FLASHGET]");
    return ConcatText(kFlashGetPrefix, Base64Encode(ToBytes(wrapped)), "&1926");
}

AnsiText EncodeWhirlwind(const AnsiText &address)
{
    return ConcatText(kWhirlwindPrefix, Base64Encode(ToBytes(address)));
}

AnsiText DecodeThunder(const AnsiText &link)
{
    const AnsiText payload = TextRight(link, TextLength(link) - 10);
    const AnsiText decoded = ToText(Base64Decode(payload));
    const int m = TextLength(decoded);
    return TextLeft(TextRight(decoded, m - 2), m - 2 - 2);
}

AnsiText DecodeFlashGet(const AnsiText &link)
{
    const int n = TextLength(link);
    AnsiText payload = TextRight(link, n - 11);
    if (FindText(link, "&") != -1)
        payload = TextLeft(payload, FindText(payload, "&") - 1);
    const AnsiText decoded = ToText(Base64Decode(payload));
    const int m = TextLength(decoded);
    return TextRight(TextLeft(decoded, m - 10), m - 10 - 10);
}

AnsiText DecodeWhirlwind(const AnsiText &link)
{
    return ToText(Base64Decode(TextRight(link, TextLength(link) - 7)));
}

} // namespace korimbo
