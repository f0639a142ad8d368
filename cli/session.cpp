#include "cli/session.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <utility>

#include "cli/platform.h"

namespace korimbo {
namespace {

// Buffers from this size on are worth backing with large pages.
constexpr std::size_t kLargeBuffer = 8 << 20;

constexpr OutputKind kAllKinds[] = {RealAddress, ThunderLink, FlashGetLink, WhirlwindLink};

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

} // namespace

ConvertSession::ConvertSession(const ConvertOptions &options, LinkCharsets &charsets, std::FILE *out, std::FILE *err)
    : options_(options), charsets_(charsets), out_(out), err_(err)
{
}

bool ConvertSession::Flush()
{
    return out_.Flush();
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

void ConvertSession::ReleaseBuffers()
{
    for (std::string *buffer : {&linkText_, &decoded_, &link_})
        std::string().swap(*buffer);
    for (std::size_t i = 0; i < 4; ++i) {
        std::string().swap(held_[i]);
        std::string().swap(shownRoom_[i]);
    }
}

void ConvertSession::Convert(std::string_view input, InputName where)
{
    try {
        if (!Prepare(input, where))
            return;
    } catch (const std::bad_alloc &) {
        ReleaseBuffers();
        return Report(where, kOutOfMemory);
    } catch (const std::length_error &) {
        ReleaseBuffers();
        return Report(where, kOutOfMemory);
    }
    Print(input);
    if (!Recognised(source_.form))
        Report(where, source_.form == InputForm::Empty
                          ? "empty input: no address to convert"
                          : "not recognised: a link prefix occurs in it but does not begin it");
}

bool ConvertSession::Printed(OutputKind kind) const
{
    return options_.format == OutputFormat::Json || !options_.only || *options_.only == kind;
}

bool ConvertSession::Prepare(std::string_view input, InputName where)
{
    static constexpr std::string_view kZeroByte = "contains a zero byte, which no address can hold";
    // ASCII passes through unchanged: its zero bytes are found below, where the conversion ends
    // the text at the first one anyway.
    const bool passed = charsets_.toLink.PassesThrough(input);
    std::string_view linkText = input;
    if (!passed) {
        if (input.find('\0') != std::string_view::npos) {
            Report(where, kZeroByte);
            return false;
        }
        if (const std::optional<CharsetFault> fault = charsets_.toLink.Convert(input, linkText_, linkText)) {
            Report(where, DescribeInputFault(*fault));
            return false;
        }
        if (linkText.find('\0') != std::string_view::npos) {
            Report(where, "holds a character that " + charsets_.linkName + " writes with a zero byte");
            return false;
        }
    }
    if (linkText.size() > kMaxAddressBytes) {
        Report(where, passed && input.find('\0') != std::string_view::npos
                          ? std::string(kZeroByte)
                          : "too long: " + std::to_string(linkText.size()) + " bytes in " + charsets_.linkName +
                                ", at most " + std::to_string(kMaxAddressBytes) + " can be converted");
        return false;
    }

    // An input passed through unchanged is ASCII, and so are its own form and a plain real
    // address, which are views of it: they need no second look when ASCII shows as it is.
    inputAsIs_ = passed && charsets_.fromLink.keepsAscii();
    inputBreak_ = Unknown;

    const bool onlyOne = options_.format == OutputFormat::Text && options_.only;
    source_ = ReadAddress(linkText, decoded_, onlyOne ? *options_.only : -1);
    if (source_.input.size() != linkText.size()) {
        Report(where, kZeroByte);
        return false;
    }
    std::size_t laterLink = 0;
    for (const OutputKind kind : kAllKinds) {
        builtLater_[kind] = false;
        if (!Printed(kind))
            continue;
        // A built link is ASCII from the Base64 alphabet and the markers: it needs no conversion
        // and cannot fail, so it is built only while printing, into the one buffer.
        if (charsets_.linksShowAsIs && BuildsLink(source_, kind)) {
            builtLater_[kind] = true;
            laterLink = std::max(laterLink, LinkLength(kind, source_.real.size()));
            continue;
        }
        if (!Show(kind, where))
            return false;
    }
    if (laterLink > link_.capacity()) {
        link_.reserve(laterLink); // printing then needs no memory
        if (laterLink >= kLargeBuffer)
            AdviseLargeBuffer(link_.data(), link_.capacity());
    }
    return true;
}

bool ConvertSession::Show(OutputKind kind, InputName where)
{
    if (!Recognised(source_.form)) {
        // The failure text is the program's own message, not bytes of an address.
        if (!charsets_.failureText) {
            Report(where, "the failure text cannot be shown in " + charsets_.localeName);
            return false;
        }
        shown_[kind] = *charsets_.failureText;
        return true;
    }
    const std::string_view form = FormOf(source_, kind, held_[kind]);
    // The input's own form and a plain address are the input itself.
    const bool isInput = inputAsIs_ && form.data() == source_.input.data() && form.size() == source_.input.size();
    if (isInput) {
        shown_[kind] = form;
    } else if (const std::optional<CharsetFault> fault =
                   charsets_.fromLink.Convert(form, shownRoom_[kind], shown_[kind])) {
        std::string problem(FormDescription(kind));
        if (fault->invalid)
            problem += " cannot be shown: " + ByteAt(*fault) + " is not valid " + charsets_.linkName;
        else
            problem += " cannot be shown: " + CodePoint(fault->codePoint) + " has no place in " + charsets_.localeName;
        Report(where, problem);
        return false;
    }
    if (options_.format == OutputFormat::Text) {
        if (isInput && inputBreak_ == Unknown)
            inputBreak_ = HoldsLineBreak(form) ? Yes : No;
        if (isInput ? inputBreak_ == Yes : HoldsLineBreak(shown_[kind])) {
            Report(where, std::string(FormDescription(kind)) +
                              " holds a line break, which text output cannot show (use --format json)");
            return false;
        }
    }
    return true;
}

void ConvertSession::Print(std::string_view input)
{
    const auto form = [this](OutputKind kind) {
        return builtLater_[kind] ? FormOf(source_, kind, link_) : shown_[kind];
    };
    if (options_.format == OutputFormat::Json) {
        static constexpr Piece kOpen = MakePiece("{\"input\": \""), kTrue = MakePiece("\", \"ok\": true"),
                               kFalse = MakePiece("\", \"ok\": false"), kClose = MakePiece("\"}\n");
        static constexpr Piece kKeys[] = {MakePiece(", \"real\": \""), MakePiece(", \"thunder\": \""),
                                          MakePiece(", \"flashget\": \""), MakePiece(", \"qqdl\": \"")};
        out_.Put(kOpen);
        const bool inputPlain = out_.PutJsonBody(input);
        out_.Put(Recognised(source_.form) ? kTrue : kFalse);
        for (const OutputKind kind : kAllKinds) {
            out_.Put(kKeys[kind]);
            const std::string_view text = form(kind);
            // Nothing in a built link needs an escape, nor in a view of an input that needed none.
            if (builtLater_[kind] || (inputPlain && text.data() == input.data() && text.size() == input.size()))
                out_.Put(text);
            else
                out_.PutJsonBody(text);
            out_.Put(kind == WhirlwindLink ? kClose : MakePiece("\""));
        }
        return;
    }
    if (options_.only) {
        out_.Put(form(*options_.only));
        out_.Put('\n');
        return;
    }
    if (!firstBlock_)
        out_.Put('\n');
    firstBlock_ = false;
    static constexpr Piece kLabels[] = {MakePiece("real: "), MakePiece("thunder: "), MakePiece("flashget: "),
                                        MakePiece("qqdl: ")};
    for (const OutputKind kind : kAllKinds) {
        out_.Put(kLabels[kind]);
        out_.Put(form(kind));
        out_.Put('\n');
    }
}

} // namespace korimbo
