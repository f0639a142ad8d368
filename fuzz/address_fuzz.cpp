// The address conversion on arbitrary text, on every codec path this processor has: every kind
// gives a text without zero bytes, the all-forms row is the one the conversion steps give and agrees
// with the one-kind calls and with the views, and every link built from the text leads back to it,
// whether decoded directly or converted as an input.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "convert/address.h"
#include "convert/codec_path.h"
#include "fuzz_check.h"
#include "reference.h"

namespace {

using namespace korimbo;
using fuzz::Check;

bool HoldsZeroByte(const AnsiText &text)
{
    return text.bytes().find('\0') != std::string_view::npos;
}

void CheckConversions(const AnsiText &input)
{
    const AddressForms all = ConvertAllForms(input);
    const InputForm form = ClassifyInput(input);
    Check(form == reference::Classify(input), "classification agrees with its steps");
    Check(all.forms == reference::ConvertRow(input), "the row agrees with the conversion steps");
    std::string decoded, link;
    const AddressSource source = ReadAddress(input.bytes(), decoded);
    for (std::int32_t kind = RealAddress; kind <= WhirlwindLink; ++kind)
        Check(FormOf(source, kind, link) == all.forms[static_cast<std::size_t>(kind)].bytes(),
              "the views agree with the row");
    Check(all.recognised == (form != InputForm::Empty && form != InputForm::Unrecognised),
          "recognised exactly when the input is neither empty nor unrecognised");
    for (std::int32_t kind = -1; kind <= 4; ++kind) {
        const AnsiText output = ConvertAddress(input, kind);
        Check(!HoldsZeroByte(output), "conversion output holds no zero byte");
        if (kind < RealAddress || kind > WhirlwindLink)
            Check(output == ConversionFailedText, "a kind outside 0 to 3 fails");
        else
            Check(output == all.forms[static_cast<std::size_t>(kind)], "ConvertAddress matches ConvertAllForms");
    }
    if (!all.recognised) {
        for (const AnsiText &output : all.forms)
            Check(output == ConversionFailedText, "an input that is not recognised fails in every form");
    }
}

// The link's row: its own form holds the link, the real address is `address`, and the other forms
// are the links built from it.
void CheckLinkRow(const AnsiText &address, const AnsiText &link, OutputKind own)
{
    const std::array<AnsiText, 4> links = {address, EncodeThunder(address), EncodeFlashGet(address),
                                           EncodeWhirlwind(address)};
    const AddressForms all = ConvertAllForms(link);
    Check(all.recognised, "a built link is recognised");
    for (std::size_t kind = 0; kind < 4; ++kind)
        Check(all.forms[kind] == (kind == static_cast<std::size_t>(own) ? link : links[kind]),
              "a built link converts to the address and its other links");
}

void CheckRoundTrips(const AnsiText &address)
{
    const AnsiText thunder = EncodeThunder(address);
    const AnsiText flashGet = EncodeFlashGet(address);
    const AnsiText whirlwind = EncodeWhirlwind(address);
    Check(DecodeThunder(thunder) == address, "DecodeThunder(EncodeThunder(A)) == A");
    Check(DecodeFlashGet(flashGet) == address, "DecodeFlashGet(EncodeFlashGet(A)) == A");
    Check(DecodeWhirlwind(whirlwind) == address, "DecodeWhirlwind(EncodeWhirlwind(A)) == A");
    CheckLinkRow(address, thunder, ThunderLink);
    CheckLinkRow(address, flashGet, FlashGetLink);
    CheckLinkRow(address, whirlwind, WhirlwindLink);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const AnsiText input(std::string_view(reinterpret_cast<const char *>(data), size)); // ends at a zero byte
    for (const CodecPath path : AvailableCodecPaths()) {
        UseCodecPath(path);
        CheckConversions(input);
        CheckRoundTrips(input);
    }
    return 0;
}
