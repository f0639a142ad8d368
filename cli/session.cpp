#include "cli/session.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "cli/output.h"

namespace korimbo {
namespace {

std::string Hex(unsigned char byte)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {'0', 'x', kDigits[byte >> 4], kDigits[byte & 15]};
}

std::string CodePoint(char32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(code));
    return text;
}

std::string ByteAt(const CharsetFault &fault)
{
    const unsigned char byte = fault.bytes.empty() ? 0 : static_cast<unsigned char>(fault.bytes[0]);
    return "byte " + Hex(byte) + " at offset " + std::to_string(fault.offset + 1);
}

bool HoldsLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

ConvertSession::ConvertSession(const ConvertOptions &options, LinkCharsets &charsets, std::FILE *out, std::FILE *err)
    : options_(options), charsets_(charsets), out_(out), err_(err)
{
}

void ConvertSession::Write(std::string_view text)
{
    if (std::fwrite(text.data(), 1, text.size(), out_) != text.size() && writeError_ == 0)
        writeError_ = errno != 0 ? errno : EIO;
}

bool ConvertSession::Flush()
{
    if (std::fflush(out_) != 0 && writeError_ == 0)
        writeError_ = errno != 0 ? errno : EIO;
    return writeError_ == 0;
}

void ConvertSession::Report(std::string_view where, std::string_view problem)
{
    allConverted_ = false;
    Flush();
    std::string message = "korimbo-convert: ";
    message.append(where).append(": ").append(problem).push_back('\n');
    std::fwrite(message.data(), 1, message.size(), err_);
}

std::string ConvertSession::DescribeInputFault(const CharsetFault &fault) const
{
    if (fault.invalid)
        return "not valid " + charsets_.localeName + " (" + ByteAt(fault) + ")";
    std::string character = CodePoint(fault.codePoint);
    // Controls would act on the terminal; only a visible character is quoted as it is.
    if (fault.codePoint >= 0xA0)
        character = "\"" + fault.bytes + "\" (" + character + ")";
    return "cannot represent " + character + " in " + charsets_.linkName;
}

void ConvertSession::Convert(std::string_view input, std::string_view where)
{
    if (input.find('\0') != std::string_view::npos)
        return Report(where, "contains a zero byte, which no address can hold");
    if (const std::optional<CharsetFault> fault = charsets_.toLink.Convert(input, linkText_))
        return Report(where, DescribeInputFault(*fault));
    if (linkText_.find('\0') != std::string::npos)
        return Report(where, "holds a character that " + charsets_.linkName + " writes with a zero byte");
    if (linkText_.size() > kMaxAddressBytes)
        return Report(where, "too long: " + std::to_string(linkText_.size()) + " bytes in " + charsets_.linkName +
                                 ", at most " + std::to_string(kMaxAddressBytes) + " can be converted");

    const bool empty = linkText_.empty();
    const AddressForms forms = ConvertAllForms(AnsiText(std::move(linkText_)));
    linkText_ = std::string();
    if (!ShowForms(forms, where))
        return;

    record_.clear();
    if (options_.format == OutputFormat::Json) {
        AppendJsonRecord(record_, input, forms.recognised, shown_);
    } else {
        AppendTextRecord(record_, shown_, options_.only, firstBlock_);
        firstBlock_ = false;
    }
    Write(record_);

    if (!forms.recognised)
        Report(where, empty ? "empty input: no address to convert"
                            : "not recognised: a link prefix occurs in it but does not begin it");
}

bool ConvertSession::ShowForms(const AddressForms &forms, std::string_view where)
{
    const bool json = options_.format == OutputFormat::Json;
    for (const OutputKind kind : {RealAddress, ThunderLink, FlashGetLink, WhirlwindLink}) {
        if (!json && options_.only && *options_.only != kind)
            continue;
        const std::string_view name = FormDescription(kind);
        if (!forms.recognised) {
            // The failure text is the program's own message, not bytes of an address.
            if (!charsets_.failureText) {
                Report(where, "the failure text cannot be shown in " + charsets_.localeName);
                return false;
            }
            shown_[static_cast<std::size_t>(kind)] = *charsets_.failureText;
            continue;
        }
        std::string &shown = shown_[static_cast<std::size_t>(kind)];
        if (const std::optional<CharsetFault> fault =
                charsets_.fromLink.Convert(forms.forms[static_cast<std::size_t>(kind)].bytes(), shown)) {
            std::string problem(name);
            if (fault->invalid)
                problem += " cannot be shown: " + ByteAt(*fault) + " is not valid " + charsets_.linkName;
            else
                problem +=
                    " cannot be shown: " + CodePoint(fault->codePoint) + " has no place in " + charsets_.localeName;
            Report(where, problem);
            return false;
        }
        if (!json && HoldsLineBreak(shown)) {
            Report(where, std::string(name) + " holds a line break, which text output cannot show (use --format json)");
            return false;
        }
    }
    return true;
}

} // namespace korimbo
