#include "convert/address.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "convert/base64.h"
#include "convert/buffer.h"
#include "convert/runtime.h"

namespace korimbo {
namespace {

constexpr std::string_view kHttpPrefix = "http://";
constexpr std::string_view kThunderPrefix = "thunder://";
constexpr std::string_view kFlashGetPrefix = "Flashget://";
constexpr std::string_view kWhirlwindPrefix = "qqdl://";

// The link forms: prefix, markers around the address, suffix after the Base64 text.
struct LinkShape
{
    std::string_view prefix, front, back, suffix;
};

constexpr LinkShape kShapes[4] = {
    {},
    {kThunderPrefix, "AA", "ZZ", ""},
    {kFlashGetPrefix, "[FLASHGET]", "[FLASHGET]", "&1926"},
    {kWhirlwindPrefix, "", "", ""},
};

// The markers of the forms that begin an input, in the order they are tested.
struct Marker
{
    std::string_view prefix;
    InputForm form;
};
constexpr Marker kMarkers[] = {{kHttpPrefix, InputForm::Http},
                               {kThunderPrefix, InputForm::Thunder},
                               {kFlashGetPrefix, InputForm::FlashGet},
                               {kWhirlwindPrefix, InputForm::Whirlwind}};

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
    const std::string_view afterPrefix = After(link, kFlashGetPrefix.size());
    const std::size_t ampersand = detail::FindInBytes(link, "&");
    if (ampersand == std::string_view::npos)
        return afterPrefix;
    // Behind the ASCII prefix the characters of the link and of the rest start at the same bytes.
    const std::size_t inRest =
        link.starts_with(kFlashGetPrefix) ? ampersand - kFlashGetPrefix.size() : detail::FindInBytes(afterPrefix, "&");
    return inRest == std::string_view::npos ? std::string_view() : afterPrefix.substr(0, inRest);
}

// The real address in a link of the form, the prefix cut off by length without a look.
std::string_view RealFromLink(InputForm form, std::string_view link, std::string &decoded)
{
    switch (form) {
    case InputForm::Thunder:
        Base64DecodeInto(After(link, kThunderPrefix.size()), decoded);
        return Strip(UpToZero(decoded), 2, 2);
    case InputForm::FlashGet:
        Base64DecodeInto(FlashGetPayload(link), decoded);
        return Strip(UpToZero(decoded), 10, 10);
    case InputForm::Whirlwind:
        Base64DecodeInto(After(link, kWhirlwindPrefix.size()), decoded);
        return UpToZero(decoded);
    default:
        return link;
    }
}

// Wrapped addresses up to this size are encoded from a copy on the stack.
constexpr std::size_t kShortLink = detail::kShortEncode;

// The link of the shape for `address`, built in `out`: the Base64 text of front + address + back
// is written straight behind the prefix, the address's bytes encoded where they are.
void BuildLink(std::int32_t kind, std::string_view address, std::string &out)
{
    const LinkShape &shape = kShapes[kind];
    detail::ResizeBuffer(out, LinkLength(kind, address.size()));
    auto *dst = reinterpret_cast<unsigned char *>(out.data());
    const auto *bytes = reinterpret_cast<const unsigned char *>(address.data());
    // Copies that pass over empty parts, whose data may be null.
    const auto copy = [](unsigned char *at, std::string_view part) {
        if (!part.empty())
            std::memcpy(at, part.data(), part.size());
        return at + part.size();
    };
    const auto put = [&dst, &copy](std::string_view part) { dst = copy(dst, part); };
    put(shape.prefix);
    const std::size_t wrapped = shape.front.size() + address.size() + shape.back.size();
    if (wrapped <= kShortLink) {
        // A short address is wrapped in a copy and encoded in one call.
        unsigned char whole[kShortLink + detail::kShortEncodeRoom];
        copy(copy(copy(whole, shape.front), address), shape.back);
        dst = detail::Base64EncodeShort(whole, wrapped, dst);
        put(shape.suffix);
        return;
    }
    // The front marker and the address's first bytes make whole groups of three, so that the rest
    // of the address is encoded where it is; its last bytes and the back marker are the last groups.
    unsigned char edge[32];
    const std::size_t take = (3 - shape.front.size() % 3) % 3;
    copy(copy(edge, shape.front), address.substr(0, take));
    dst = detail::Base64EncodeTo(edge, shape.front.size() + take, dst);
    const std::size_t body = (address.size() - take) / 3 * 3;
    dst = detail::Base64EncodeTo(bytes + take, body, dst);
    const std::size_t rest = address.size() - take - body;
    copy(copy(edge, address.substr(take + body)), shape.back);
    dst = detail::Base64EncodeTo(edge, rest + shape.back.size(), dst);
    put(shape.suffix);
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
    return TextOf(LinkLength(kind, address.size()), [&](std::string &out) { BuildLink(kind, address, out); });
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
    BuildLink(kind, source.real, link);
    return link;
}

bool BuildsLink(const AddressSource &source, std::int32_t kind)
{
    return Recognised(source.form) && kind >= ThunderLink && kind <= WhirlwindLink && kind != OwnKind(source.form);
}

std::size_t LinkLength(std::int32_t kind, std::size_t size)
{
    const LinkShape &shape = kShapes[kind];
    const std::size_t wrapped = shape.front.size() + shape.back.size();
    if (size > (std::numeric_limits<std::size_t>::max() - 2) / 4 * 3 - wrapped - 32)
        throw std::bad_alloc();
    return shape.prefix.size() + Base64EncodedLength(size + wrapped) + shape.suffix.size();
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
