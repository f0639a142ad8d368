#include "cli/charset.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "convert/address.h"

namespace korimbo {
namespace {

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
    if (i < text.size() && text.size() >= 8) {
        // The last eight bytes, some of them seen already.
        std::uint64_t word;
        std::memcpy(&word, text.data() + text.size() - 8, 8);
        high |= word;
    } else {
        for (; i < text.size(); ++i)
            high |= static_cast<unsigned char>(text[i]);
    }
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

CharsetConverter::CharsetConverter(EnginePointer engine) noexcept : engine_(std::move(engine)) {}

std::optional<CharsetConverter> CharsetConverter::Open(const std::string &from, const std::string &to)
{
    EnginePointer engine = OpenEngine(from, to);
    if (!engine)
        return std::nullopt;
    std::optional<CharsetConverter> converter(CharsetConverter(std::move(engine)));
    converter->keepsAscii_ = KeepsText(*converter, AsciiBytes());
    return converter;
}

std::optional<CharsetFault> CharsetConverter::Convert(std::string_view in, std::string &out)
{
    // Addresses and links are mostly ASCII; they need no conversion when ASCII stays as it is.
    if (keepsAscii_ && IsAscii(in)) {
        out.assign(in);
        return std::nullopt;
    }
    return ConvertWithEngine(in, out);
}

bool CharsetConverter::PassesThrough(std::string_view in) const
{
    return keepsAscii_ && IsAscii(in);
}

std::optional<CharsetFault> CharsetConverter::Convert(std::string_view in, std::string &room, std::string_view &result)
{
    if (keepsAscii_ && IsAscii(in)) {
        result = in;
        return std::nullopt;
    }
    std::optional<CharsetFault> fault = ConvertWithEngine(in, room);
    result = room;
    return fault;
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
    const bool linksShowAsIs = KeepsText(*fromLink, kLinkCharacters);
    return LinkCharsets{localeName,   linkName, std::move(*toLink), std::move(*fromLink), std::move(failureText),
                        linksShowAsIs};
}

} // namespace korimbo
