#include "cli/output.h"

namespace korimbo {

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
