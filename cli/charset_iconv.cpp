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

} // namespace

struct CharsetConverter::Engine
{
    Engine(iconv_t convert, iconv_t decode) noexcept : convert(convert), decode(decode) {}
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
    return EnginePointer(new Engine(convert, decode));
}

std::optional<CharsetFault> CharsetConverter::ConvertWithEngine(std::string_view in, std::string &out)
{
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
