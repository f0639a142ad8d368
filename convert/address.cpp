#include "convert/address.h"

#include <new>

#include "convert/address_links.h"
#include "convert/base64.h"
#include "convert/buffer.h"
#include "convert/runtime.h"

namespace korimbo {
namespace {

// The markers of the forms that begin an input, in the order they are tested.
struct Marker
{
    std::string_view prefix;
    InputForm form;
};
constexpr Marker kMarkers[] = {{detail::kHttpPrefix, InputForm::Http},
                               {detail::kThunderPrefix, InputForm::Thunder},
                               {detail::kFlashGetPrefix, InputForm::FlashGet},
                               {detail::kWhirlwindPrefix, InputForm::Whirlwind}};

bool IsLeadByte(char byte)
{
    return static_cast<unsigned char>(byte) >= 0x80;
}

// Whether one of the four markers occurs anywhere, starting on a character boundary, as FindText
// finds it. Every marker ends in "://", so only the text before each "://" needs a look; the
// markers' letters hold no ':' or '/', so the places tried only ever move forward.
bool HoldsMarker(std::string_view text)
{
    // The markers by where they start before the "://": longest scheme first.
    static constexpr std::string_view kSchemes[] = {"Flashget", "thunder", "http", "qqdl"};
    std::size_t boundary = 0; // the character walk, never past the place tried
    for (std::size_t colon = text.find("://"); colon != std::string_view::npos; colon = text.find("://", colon + 1)) {
        for (const std::string_view scheme : kSchemes) {
            if (colon < scheme.size() || text.compare(colon - scheme.size(), scheme.size(), scheme) != 0)
                continue;
            const std::size_t start = colon - scheme.size();
            while (boundary < start)
                boundary += IsLeadByte(text[boundary]) ? 2 : 1;
            if (boundary == start)
                return true;
        }
    }
    return false;
}

InputForm Classify(std::string_view input)
{
    if (input.empty())
        return InputForm::Empty;
    // A marker that begins the input occurs in it: no search is needed then.
    for (const Marker &marker : kMarkers) {
        if (input.starts_with(marker.prefix))
            return marker.form;
    }
    return HoldsMarker(input) ? InputForm::Unrecognised : InputForm::Plain;
}

// The bytes after the first `n`, as TextRight(text, length - n) cuts them.
std::string_view After(std::string_view text, std::size_t n)
{
    return text.size() > n ? text.substr(n) : std::string_view();
}

// The bytes before the first zero byte, as ToText ends them.
std::string_view UpToZero(std::string_view bytes)
{
    return bytes.substr(0, bytes.find('\0'));
}

// The text without `front` bytes at its start and `back` at its end; empty when it is not longer.
std::string_view Strip(std::string_view text, std::size_t front, std::size_t back)
{
    return text.size() > front + back ? text.substr(front, text.size() - front - back) : std::string_view();
}

// The Base64 text of a FlashGet link: after the prefix, and before the first "&" after it when the
// link holds any "&" (found by characters, as FindText finds it).
std::string_view FlashGetPayload(std::string_view link)
{
    const std::string_view afterPrefix = After(link, detail::kFlashGetPrefix.size());
    const std::size_t ampersand = detail::FindInBytes(link, "&");
    if (ampersand == std::string_view::npos)
        return afterPrefix;
    // Behind the ASCII prefix the characters of the link and of the rest start at the same bytes.
    const std::size_t inRest = link.starts_with(detail::kFlashGetPrefix) ? ampersand - detail::kFlashGetPrefix.size()
                                                                         : detail::FindInBytes(afterPrefix, "&");
    return inRest == std::string_view::npos ? std::string_view() : afterPrefix.substr(0, inRest);
}

// The real address in a link of the form, the prefix cut off by length without a look.
std::string_view RealFromLink(InputForm form, std::string_view link, std::string &decoded)
{
    switch (form) {
    case InputForm::Thunder:
        Base64DecodeInto(After(link, detail::kThunderPrefix.size()), decoded);
        return Strip(UpToZero(decoded), 2, 2);
    case InputForm::FlashGet:
        Base64DecodeInto(FlashGetPayload(link), decoded);
        return Strip(UpToZero(decoded), 10, 10);
    case InputForm::Whirlwind:
        Base64DecodeInto(After(link, detail::kWhirlwindPrefix.size()), decoded);
        return UpToZero(decoded);
    default:
        return link;
    }
}

// The form of `kind` that an input of `form` was given in, or -1.
std::int32_t OwnKind(InputForm form)
{
    switch (form) {
    case InputForm::Thunder:
        return ThunderLink;
    case InputForm::FlashGet:
        return FlashGetLink;
    case InputForm::Whirlwind:
        return WhirlwindLink;
    default:
        return -1;
    }
}

// Runs `build` on a new string and gives the result as a text; a failed allocation, or a result
// longer than a text can be, is the fatal error naming `size`.
template <class Build> AnsiText TextOf(std::size_t size, Build &&build)
{
    if (size > detail::kMaxLength)
        FatalAllocationError(size);
    std::string out;
    try {
        build(out);
    } catch (const std::bad_alloc &) {
        FatalAllocationError(size);
    }
    return detail::AdoptText(std::move(out));
}

AnsiText LinkText(std::int32_t kind, std::string_view address)
{
    return TextOf(LinkLength(kind, address.size()), [&](std::string &out) { detail::BuildLink(kind, address, out); });
}

// The part of `bytes` (which holds no zero byte) as a text, in the memory of `bytes`.
AnsiText KeepOnly(std::string &&bytes, std::string_view part)
{
    if (part.empty())
        return {};
    const auto offset = static_cast<std::size_t>(part.data() - bytes.data());
    bytes.erase(offset + part.size());
    bytes.erase(0, offset);
    return detail::AdoptText(std::move(bytes));
}

AnsiText DecodedText(InputForm form, const AnsiText &link)
{
    std::string decoded;
    std::string_view real;
    try {
        real = RealFromLink(form, link.bytes(), decoded);
    } catch (const std::bad_alloc &) {
        FatalAllocationError(link.bytes().size() / 4 * 3 + 3);
    }
    return KeepOnly(std::move(decoded), real);
}

AddressSource ReadOrFail(const AnsiText &input, std::string &decoded)
{
    try {
        return ReadAddress(input.bytes(), decoded);
    } catch (const std::bad_alloc &) {
        FatalAllocationError(input.bytes().size() / 4 * 3 + 3);
    }
}

// Form `kind` of the input read into `source`, as a text of its own. The real address of a link
// takes the memory of `decoded`, which ends `source.real`: ask for it last.
AnsiText FormText(const AnsiText &input, const AddressSource &source, std::string &decoded, std::int32_t kind)
{
    if (!Recognised(source.form) || kind < RealAddress || kind > WhirlwindLink)
        return ConversionFailedText;
    if (BuildsLink(source, kind))
        return LinkText(kind, source.real);
    if (kind != RealAddress || source.real.data() == input.bytes().data())
        return input; // the input's own form, or a plain address
    return KeepOnly(std::move(decoded), source.real);
}

} // namespace

InputForm ClassifyInput(const AnsiText &input)
{
    return Classify(input.bytes());
}

AddressSource ReadAddress(std::string_view input, std::string &decoded, std::int32_t only)
{
    AddressSource source;
    source.input = UpToZero(input);
    source.form = Classify(source.input);
    if (Recognised(source.form) && (only < RealAddress || only != OwnKind(source.form)))
        source.real = RealFromLink(source.form, source.input, decoded);
    return source;
}

std::string_view FormOf(const AddressSource &source, std::int32_t kind, std::string &link)
{
    if (!Recognised(source.form) || kind < RealAddress || kind > WhirlwindLink)
        return ConversionFailedText.bytes();
    if (kind == RealAddress)
        return source.real;
    // A link that was given is never re-encoded: its own form is the input as typed.
    if (kind == OwnKind(source.form))
        return source.input;
    detail::BuildLink(kind, source.real, link);
    return link;
}

bool BuildsLink(const AddressSource &source, std::int32_t kind)
{
    return Recognised(source.form) && kind >= ThunderLink && kind <= WhirlwindLink && kind != OwnKind(source.form);
}

AddressForms ConvertAllForms(const AnsiText &input)
{
    AddressForms result;
    std::string decoded;
    const AddressSource source = ReadOrFail(input, decoded);
    result.recognised = Recognised(source.form);
    for (const std::int32_t kind : {ThunderLink, FlashGetLink, WhirlwindLink, RealAddress})
        result.forms[static_cast<std::size_t>(kind)] = FormText(input, source, decoded, kind);
    return result;
}

AnsiText ConvertAddress(const AnsiText &input, std::int32_t kind)
{
    std::string decoded;
    return FormText(input, ReadOrFail(input, decoded), decoded, kind);
}

AnsiText EncodeThunder(const AnsiText &address)
{
    return LinkText(ThunderLink, address.bytes());
}

AnsiText EncodeFlashGet(const AnsiText &address)
{
    return LinkText(FlashGetLink, address.bytes());
}

AnsiText EncodeWhirlwind(const AnsiText &address)
{
    return LinkText(WhirlwindLink, address.bytes());
}

AnsiText DecodeThunder(const AnsiText &link)
{
    return DecodedText(InputForm::Thunder, link);
}

AnsiText DecodeFlashGet(const AnsiText &link)
{
    return DecodedText(InputForm::FlashGet, link);
}

AnsiText DecodeWhirlwind(const AnsiText &link)
{
    return DecodedText(InputForm::Whirlwind, link);
}

} // namespace korimbo
