#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// Conversion of text between the locale's encoding and the code page of the bytes inside links,
// through the system's converter: iconv on POSIX systems (charset_iconv.cpp), the code page
// functions on Windows (charset_windows.cpp).
namespace korimbo {

// The first character that a conversion could not take.
struct CharsetFault
{
    // True when the bytes are no character of the source charset; false when they are one that
    // the target charset has no place for.
    bool invalid = true;
    // Offset of the character's first byte in the source text.
    std::size_t offset = 0;
    // The character's bytes in the source charset; its first byte alone when invalid.
    std::string bytes;
    // The character's Unicode code point; 0 when invalid.
    char32_t codePoint = 0;
};

// One direction of conversion between two charsets; owns the system's conversion state.
class CharsetConverter
{
  public:
    // nullopt when the system does not know either charset or the conversion between them.
    static std::optional<CharsetConverter> Open(const std::string &from, const std::string &to);

    CharsetConverter(CharsetConverter &&other) noexcept = default;
    CharsetConverter &operator=(CharsetConverter &&) = delete;
    CharsetConverter(const CharsetConverter &) = delete;
    CharsetConverter &operator=(const CharsetConverter &) = delete;

    // Replaces `out` with the whole of `in` converted; on failure returns the first character at
    // fault, and `out` holds an unspecified part of the text.
    std::optional<CharsetFault> Convert(std::string_view in, std::string &out);

    // True when `in` converts to itself byte for byte without a look at the system's converter:
    // it is ASCII, and the conversion keeps ASCII.
    bool PassesThrough(std::string_view in) const;

    // Like Convert, but text that converts to itself byte for byte (ASCII, when the conversion
    // keeps it) is passed through as `in` itself, without a copy; other text is converted into
    // `room`. On success `result` views the converted text.
    std::optional<CharsetFault> Convert(std::string_view in, std::string &room, std::string_view &result);

    // True when each of the bytes 0x01 to 0x7F converts to itself.
    bool keepsAscii() const noexcept { return keepsAscii_; }

  private:
    struct Engine; // the platform's conversion state
    struct EngineDeleter
    {
        void operator()(Engine *engine) const noexcept;
    };
    using EnginePointer = std::unique_ptr<Engine, EngineDeleter>;

    explicit CharsetConverter(EnginePointer engine) noexcept;
    // nullptr when the system cannot convert between the two.
    static EnginePointer OpenEngine(const std::string &from, const std::string &to);
    // Convert without the shortcut for ASCII.
    std::optional<CharsetFault> ConvertWithEngine(std::string_view in, std::string &out);

    EnginePointer engine_;
    bool keepsAscii_ = false;
};

// The encoding of the text the program reads and writes: on POSIX systems the locale's character
// encoding after setlocale(LC_ALL, ""), "UTF-8" in the C and POSIX locales, which name plain
// ASCII; on Windows always "UTF-8" (see platform.h).
std::string LocaleEncoding();

// Both directions between the locale's encoding and the links' code page.
struct LinkCharsets
{
    std::string localeName;
    std::string linkName;
    CharsetConverter toLink;
    CharsetConverter fromLink;
    // The core's failure text ("转换失败", GBK bytes) in the locale's encoding; nullopt when the
    // locale's encoding cannot show it.
    std::optional<std::string> failureText;
    // True when the characters that links are built of are the same bytes in the locale's encoding,
    // so that a built link is shown as it is.
    bool linksShowAsIs = false;
};

// Opens the conversions, or says why `linkName` cannot serve: the system does not know it, or it does
// not keep the characters that links are made of as the same single bytes.
std::variant<LinkCharsets, std::string> OpenLinkCharsets(const std::string &localeName, const std::string &linkName);

} // namespace korimbo
