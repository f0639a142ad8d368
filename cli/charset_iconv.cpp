#include "cli/charset.h"

#include <langinfo.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

#include "convert/address.h"

namespace korimbo {
namespace {

const iconv_t kNoConversion = reinterpret_cast<iconv_t>(-1);
constexpr std::size_t kIconvFailed = static_cast<std::size_t>(-1);

// Every character of every link, apart from the address's own bytes.
constexpr std::string_view kLinkCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=&:[]";

bool IsAscii(std::string_view text)
{
    // Eight bytes at a time: the high bits of all bytes gathered in one word.
    std::uint64_t high = 0;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        high |= word;
    }
    for (; i < text.size(); ++i)
        high |= static_cast<unsigned char>(text[i]);
    return (high & 0x8080808080808080u) == 0;
}

std::string AsciiBytes()
{
    std::string bytes;
    for (int c = 1; c < 0x80; ++c)
        bytes.push_back(static_cast<char>(c));
    return bytes;
}

// Whether the text converts to exactly itself.
bool KeepsText(CharsetConverter &converter, std::string_view text)
{
    std::string out;
    return !converter.Convert(text, out) && out == text;
}

} // namespace

CharsetConverter::CharsetConverter(iconv_t convert, iconv_t decode) noexcept : convert_(convert), decode_(decode) {}

CharsetConverter::CharsetConverter(CharsetConverter &&other) noexcept
    : convert_(std::exchange(other.convert_, kNoConversion)), decode_(std::exchange(other.decode_, kNoConversion)),
      keepsAscii_(other.keepsAscii_)
{
}

CharsetConverter::~CharsetConverter()
{
    if (convert_ != kNoConversion)
        iconv_close(convert_);
    if (decode_ != kNoConversion)
        iconv_close(decode_);
}

std::optional<CharsetConverter> CharsetConverter::Open(const std::string &from, const std::string &to)
{
    const iconv_t convert = iconv_open(to.c_str(), from.c_str());
    if (convert == kNoConversion)
        return std::nullopt;
    const iconv_t decode = iconv_open("UTF-32LE", from.c_str());
    if (decode == kNoConversion) {
        iconv_close(convert);
        return std::nullopt;
    }
    std::optional<CharsetConverter> converter(CharsetConverter(convert, decode));
    converter->keepsAscii_ = KeepsText(*converter, AsciiBytes());
    return converter;
}

std::optional<CharsetFault> CharsetConverter::Convert(std::string_view in, std::string &out)
{
    // Addresses and links are mostly ASCII; they need no iconv call when ASCII stays as it is.
    if (keepsAscii_ && IsAscii(in)) {
        out.assign(in);
        return std::nullopt;
    }
    return ConvertWithIconv(in, out);
}

std::optional<CharsetFault> CharsetConverter::ConvertWithIconv(std::string_view in, std::string &out)
{
    iconv(convert_, nullptr, nullptr, nullptr, nullptr);
    char *inPointer = const_cast<char *>(in.data()); // iconv takes char ** but does not write
    std::size_t inLeft = in.size();
    out.resize(in.size() + 16);
    std::size_t used = 0;
    bool flushing = false; // after the input, a stateful target may still need to close a shift
    for (;;) {
        char *outPointer = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t result = flushing ? iconv(convert_, nullptr, nullptr, &outPointer, &outLeft)
                                            : iconv(convert_, &inPointer, &inLeft, &outPointer, &outLeft);
        const int error = errno;
        used = out.size() - outLeft;
        if (result != kIconvFailed) {
            if (flushing)
                break;
            flushing = true;
            continue;
        }
        if (error == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        out.resize(used);
        return Diagnose(in, in.size() - inLeft);
    }
    out.resize(used);
    return std::nullopt;
}

CharsetFault CharsetConverter::Diagnose(std::string_view in, std::size_t offset)
{
    CharsetFault fault;
    fault.offset = offset;
    iconv(decode_, nullptr, nullptr, nullptr, nullptr);
    char *inPointer = const_cast<char *>(in.data() + offset);
    std::size_t inLeft = in.size() - offset;
    unsigned char unit[4] = {};
    char *outPointer = reinterpret_cast<char *>(unit);
    std::size_t outLeft = sizeof unit;
    // Room for exactly one character: iconv stops after it.
    iconv(decode_, &inPointer, &inLeft, &outPointer, &outLeft);
    if (outLeft == 0) {
        fault.invalid = false;
        fault.bytes.assign(in.substr(offset, in.size() - offset - inLeft));
        fault.codePoint = unit[0] | unit[1] << 8 | unit[2] << 16 | static_cast<char32_t>(unit[3]) << 24;
    } else {
        fault.bytes.assign(in.substr(offset, std::min<std::size_t>(1, in.size() - offset)));
    }
    return fault;
}

std::string LocaleEncoding()
{
    const char *codeset = nl_langinfo(CODESET);
    if (codeset == nullptr || *codeset == '\0')
        return "UTF-8";
    const std::string_view name(codeset);
    if (name == "ANSI_X3.4-1968" || name == "ASCII" || name == "US-ASCII")
        return "UTF-8";
    return std::string(name);
}

std::variant<LinkCharsets, std::string> OpenLinkCharsets(const std::string &localeName, const std::string &linkName)
{
    std::optional<CharsetConverter> toLink = CharsetConverter::Open(localeName, linkName);
    std::optional<CharsetConverter> fromLink = CharsetConverter::Open(linkName, localeName);
    if (!toLink || !fromLink)
        return "unknown charset '" + linkName + "' (or no conversion between it and " + localeName + ")";
    std::optional<CharsetConverter> fromAscii = CharsetConverter::Open("ASCII", linkName);
    std::optional<CharsetConverter> toAscii = CharsetConverter::Open(linkName, "ASCII");
    if (!fromAscii || !toAscii || !KeepsText(*fromAscii, kLinkCharacters) || !KeepsText(*toAscii, kLinkCharacters))
        return "charset '" + linkName + "' cannot carry links: it does not keep ASCII letters, digits and " +
               "punctuation as the same single bytes";

    std::optional<std::string> failureText;
    if (std::optional<CharsetConverter> fromGbk = CharsetConverter::Open("GBK", localeName)) {
        std::string text;
        if (!fromGbk->Convert(ConversionFailedText.bytes(), text))
            failureText = std::move(text);
    }
    return LinkCharsets{localeName, linkName, std::move(*toLink), std::move(*fromLink), std::move(failureText)};
}

} // namespace korimbo
