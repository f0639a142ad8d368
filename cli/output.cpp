#include "cli/output.h"

#include <cstdint>
#include <cstring>

namespace korimbo {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;

// Whether a byte of the word is below n (n at most 0x80).
constexpr bool HasByteBelow(std::uint64_t word, std::uint64_t n)
{
    return ((word - kOnes * n) & ~word & kHighBits) != 0;
}

// Whether one of the eight bytes at `bytes` is a control character, '"' or '\'.
bool NeedsEscape(const char *bytes)
{
    std::uint64_t word;
    std::memcpy(&word, bytes, 8);
    return HasByteBelow(word, 0x20) || HasByteBelow(word ^ (kOnes * '"'), 1) || HasByteBelow(word ^ (kOnes * '\\'), 1);
}

} // namespace

std::string_view FormName(OutputKind kind)
{
    static constexpr std::array<std::string_view, 4> kNames{"real", "thunder", "flashget", "qqdl"};
    return kNames[static_cast<std::size_t>(kind)];
}

std::string_view FormDescription(OutputKind kind)
{
    static constexpr std::array<std::string_view, 4> kDescriptions{"real address", "Thunder link", "FlashGet link",
                                                                   "Whirlwind (qqdl) link"};
    return kDescriptions[static_cast<std::size_t>(kind)];
}

void AppendTextRecord(std::string &out, const std::array<std::string, 4> &forms, std::optional<OutputKind> only,
                      bool firstBlock)
{
    if (only) {
        out.append(forms[static_cast<std::size_t>(*only)]).push_back('\n');
        return;
    }
    if (!firstBlock)
        out.push_back('\n');
    for (const OutputKind kind : {RealAddress, ThunderLink, FlashGetLink, WhirlwindLink})
        out.append(FormName(kind)).append(": ").append(forms[static_cast<std::size_t>(kind)]).push_back('\n');
}

void AppendJsonRecord(std::string &out, std::string_view input, bool ok, const std::array<std::string, 4> &forms)
{
    out.append("{\"input\": ");
    AppendJsonString(out, input);
    out.append(ok ? ", \"ok\": true" : ", \"ok\": false");
    for (const OutputKind kind : {RealAddress, ThunderLink, FlashGetLink, WhirlwindLink}) {
        out.append(", \"").append(FormName(kind)).append("\": ");
        AppendJsonString(out, forms[static_cast<std::size_t>(kind)]);
    }
    out.append("}\n");
}

void AppendJsonString(std::string &out, std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out.push_back('"');
    std::size_t plain = 0; // start of the run of bytes that need no escape
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Words without any byte to escape, the common case, are passed over whole.
        while (i + 8 <= text.size() && !NeedsEscape(text.data() + i))
            i += 8;
        if (i >= text.size())
            break;
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte != '"' && byte != '\\')
            continue;
        out.append(text.substr(plain, i - plain));
        plain = i + 1;
        if (byte == '"' || byte == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(byte));
        } else {
            out.append("\\u00");
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 15]);
        }
    }
    out.append(text.substr(plain));
    out.push_back('"');
}

} // namespace korimbo
