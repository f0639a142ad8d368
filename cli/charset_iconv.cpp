// The conversions through iconv, for POSIX systems.
#include "cli/charset.h"

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <utility>

namespace korimbo {
namespace {

const iconv_t kNoConversion = reinterpret_cast<iconv_t>(-1);
constexpr std::size_t kIconvFailed = static_cast<std::size_t>(-1);

bool IsUtf8Name(std::string_view name)
{
    std::string letters;
    for (const char c : name) {
        if (c != '-' && c != '_')
            letters.push_back(static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
    }
    return letters == "UTF8";
}

// The offset of the first byte that begins no well-formed UTF-8 sequence (as Unicode defines it:
// no overlong forms, no surrogates, nothing above U+10FFFF), or npos.
std::size_t FirstInvalidUtf8(std::string_view text)
{
    const auto byte = [&text](std::size_t at) { return at < text.size() ? static_cast<unsigned char>(text[at]) : 0u; };
    for (std::size_t i = 0; i < text.size();) {
        const unsigned lead = byte(i);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The range of the second byte depends on the lead; the later ones are 80..BF.
        unsigned low = 0x80, high = 0xBF;
        std::size_t length = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        }
        if (length == 0 || byte(i + 1) < low || byte(i + 1) > high)
            return i;
        for (std::size_t k = 2; k < length; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80)
                return i;
        }
        i += length;
    }
    return std::string_view::npos;
}

} // namespace

struct CharsetConverter::Engine
{
    Engine(iconv_t convert, iconv_t decode, bool utf8ToUtf8) noexcept
        : convert(convert), decode(decode), utf8ToUtf8(utf8ToUtf8)
    {
    }
    Engine(const Engine &) = delete;
    Engine &operator=(const Engine &) = delete;
    ~Engine()
    {
        iconv_close(convert);
        iconv_close(decode);
    }

    // The character at `offset`, which the conversion could not take.
    CharsetFault Diagnose(std::string_view in, std::size_t offset);

    iconv_t convert;
    iconv_t decode; // from the source charset to UTF-32, to name the character at fault
    // glibc passes UTF-8 to UTF-8 through with sequences above U+10FFFF in it: such a
    // conversion is a check of our own instead.
    bool utf8ToUtf8;
};

void CharsetConverter::EngineDeleter::operator()(Engine *engine) const noexcept
{
    delete engine;
}

CharsetConverter::EnginePointer CharsetConverter::OpenEngine(const std::string &from, const std::string &to)
{
    const iconv_t convert = iconv_open(to.c_str(), from.c_str());
    if (convert == kNoConversion)
        return nullptr;
    const iconv_t decode = iconv_open("UTF-32LE", from.c_str());
    if (decode == kNoConversion) {
        iconv_close(convert);
        return nullptr;
    }
    return EnginePointer(new Engine(convert, decode, IsUtf8Name(from) && IsUtf8Name(to)));
}

std::optional<CharsetFault> CharsetConverter::ConvertWithEngine(std::string_view in, std::string &out)
{
    if (engine_->utf8ToUtf8) {
        if (const std::size_t invalid = FirstInvalidUtf8(in); invalid != std::string_view::npos)
            return engine_->Diagnose(in, invalid);
        out.assign(in);
        return std::nullopt;
    }
    const iconv_t convert = engine_->convert;
    iconv(convert, nullptr, nullptr, nullptr, nullptr);
    char *inPointer = const_cast<char *>(in.data()); // iconv takes char ** but does not write
    std::size_t inLeft = in.size();
    out.resize(in.size() + 16);
    std::size_t used = 0;
    bool flushing = false; // after the input, a stateful target may still need to close a shift
    for (;;) {
        char *outPointer = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t result = flushing ? iconv(convert, nullptr, nullptr, &outPointer, &outLeft)
                                            : iconv(convert, &inPointer, &inLeft, &outPointer, &outLeft);
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
        return engine_->Diagnose(in, in.size() - inLeft);
    }
    out.resize(used);
    return std::nullopt;
}

CharsetFault CharsetConverter::Engine::Diagnose(std::string_view in, std::size_t offset)
{
    CharsetFault fault;
    fault.offset = offset;
    iconv(decode, nullptr, nullptr, nullptr, nullptr);
    char *inPointer = const_cast<char *>(in.data() + offset);
    std::size_t inLeft = in.size() - offset;
    unsigned char unit[4] = {};
    char *outPointer = reinterpret_cast<char *>(unit);
    std::size_t outLeft = sizeof unit;
    // Room for exactly one character: iconv stops after it.
    iconv(decode, &inPointer, &inLeft, &outPointer, &outLeft);
    if (outLeft == 0) {
        fault.invalid = false;
        fault.bytes.assign(in.substr(offset, in.size() - offset - inLeft));
        fault.codePoint = unit[0] | unit[1] << 8 | unit[2] << 16 | static_cast<char32_t>(unit[3]) << 24;
    } else if (offset < in.size()) {
        fault.bytes.assign(1, in[offset]);
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

} // namespace korimbo
