#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/text.h"

// Converting a download address between its plain form and the link forms of Thunder
// ("thunder://"), FlashGet ("Flashget://") and QQ Whirlwind ("qqdl://"). Every function here is
// a pure function of its arguments.
namespace korimbo {

// The four forms, numbered as callers pass them to ConvertAddress.
enum OutputKind : std::int32_t {
    RealAddress = 0,
    ThunderLink = 1,
    FlashGetLink = 2,
    WhirlwindLink = 3,
};

// What every failed conversion returns: "转换失败" in GBK.
inline const AnsiText ConversionFailedText{"\xD7\xAA\xBB\xBB\xCA\xA7\xB0\xDC"};

// The form an input was recognised as.
enum class InputForm { Empty, Plain, Http, Thunder, FlashGet, Whirlwind, Unrecognised };

// True for every form but Empty and Unrecognised.
constexpr bool Recognised(InputForm form)
{
    return form != InputForm::Empty && form != InputForm::Unrecognised;
}

// Empty; Plain when none of "http://", "thunder://", "Flashget://", "qqdl://" occurs anywhere;
// otherwise the first of them that begins the input, in that order; Unrecognised when one occurs
// but none begins it. Case-sensitive.
InputForm ClassifyInput(const AnsiText &input);

// All four forms of one input at once.
struct AddressForms
{
    // False exactly when the input was empty or unrecognised; every form is then
    // ConversionFailedText.
    bool recognised = false;
    // Indexed by OutputKind. The form the input was given in holds the input unchanged.
    std::array<AnsiText, 4> forms;
};

// Classifies the input once and builds its four forms.
AddressForms ConvertAllForms(const AnsiText &input);

// The input in the form `kind`; ConversionFailedText for an empty or unrecognised input and for a
// kind outside 0 to 3.
AnsiText ConvertAddress(const AnsiText &input, std::int32_t kind);

// "thunder://" + Base64 of "AA" + address + "ZZ".
AnsiText EncodeThunder(const AnsiText &address);
// "Flashget://" + Base64 of "[FLASHGET]" + address + "[FLASHGET]" + "&1926".
AnsiText EncodeFlashGet(const AnsiText &address);
// "qqdl://" + Base64 of the address.
AnsiText EncodeWhirlwind(const AnsiText &address);

// The decoders cut their prefix off by length without looking at it, decode the rest, end the
// text at its first zero byte and strip the wrapping markers by length without checking them.
// A link too short for its markers gives the empty text.
AnsiText DecodeThunder(const AnsiText &link);
// The Base64 text ends before the first "&" after the prefix; the rest ("&1926") is ignored.
AnsiText DecodeFlashGet(const AnsiText &link);
AnsiText DecodeWhirlwind(const AnsiText &link);

// The same conversions without a new value per step, for callers that convert many inputs or
// long ones: views of the input and of buffers that the caller owns and reuses.

// An input read once: its form and its real address.
struct AddressSource
{
    InputForm form = InputForm::Empty;
    // The input up to its first zero byte.
    std::string_view input;
    // The real address: the input itself, or the decoded bytes of a link up to their first zero byte
    // and without the link's markers; empty for an empty or unrecognised input.
    std::string_view real;
};

// Classifies `input`, which ends at its first zero byte if it holds one, and finds its real
// address, decoding a link into `decoded`. The views stay valid while `input` and `decoded` stay
// as they are. When `only` names a kind (0 to 3), the source serves that kind alone: a link given
// in that very form is not decoded, and `real` stays empty. Throws std::bad_alloc when `decoded`
// cannot grow.
AddressSource ReadAddress(std::string_view input, std::string &decoded, std::int32_t only = -1);

// Form `kind` of the source, as ConvertAddress gives it: ConversionFailedText for an empty or
// unrecognised input and for a kind outside 0 to 3; the input for its own form; the real address;
// or a link built into `link`, which the view then shows. Throws std::bad_alloc when `link`
// cannot grow.
std::string_view FormOf(const AddressSource &source, std::int32_t kind, std::string &link);

// Whether FormOf builds form `kind` of the source into `link`. Such a link holds nothing but
// ASCII letters, digits and the characters "+/=:[]&".
bool BuildsLink(const AddressSource &source, std::int32_t kind);

// The length of the link of form `kind` (1 to 3) built from an address of `size` bytes.
std::size_t LinkLength(std::int32_t kind, std::size_t size);

} // namespace korimbo
