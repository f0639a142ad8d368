#include "flat_json.h"

#include <cctype>

namespace korimbo::testing {
namespace {

class Reader
{
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    void SkipSpace()
    {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }

    bool Take(char c)
    {
        SkipSpace();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool TakeWord(std::string_view word)
    {
        SkipSpace();
        if (text_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    bool AtEnd()
    {
        SkipSpace();
        return pos_ == text_.size();
    }

    std::optional<std::string> String()
    {
        if (!Take('"'))
            return std::nullopt;
        std::string out;
        while (pos_ < text_.size()) {
            const auto c = static_cast<unsigned char>(text_[pos_++]);
            if (c == '"')
                return out;
            if (c < 0x20)
                return std::nullopt;
            if (c != '\\') {
                out.push_back(static_cast<char>(c));
                continue;
            }
            if (pos_ >= text_.size())
                return std::nullopt;
            const char escape = text_[pos_++];
            switch (escape) {
            case '"':
            case '\\':
            case '/':
                out.push_back(escape);
                break;
            case 'b':
                out.push_back('\b');
                break;
            case 'f':
                out.push_back('\f');
                break;
            case 'n':
                out.push_back('\n');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'u': {
                std::optional<unsigned> code = Hex4();
                if (!code)
                    return std::nullopt;
                if (*code >= 0xD800 && *code < 0xDC00) {
                    if (!TakeWord("\\u"))
                        return std::nullopt;
                    const std::optional<unsigned> low = Hex4();
                    if (!low || *low < 0xDC00 || *low >= 0xE000)
                        return std::nullopt;
                    code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
                } else if (*code >= 0xDC00 && *code < 0xE000) {
                    return std::nullopt;
                }
                AppendUtf8(out, *code);
                break;
            }
            default:
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

  private:
    std::optional<unsigned> Hex4()
    {
        if (pos_ + 4 > text_.size())
            return std::nullopt;
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[pos_++];
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                return std::nullopt;
            value = value * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c))
                                                           ? c - '0'
                                                           : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
        }
        return value;
    }

    static void AppendUtf8(std::string &out, unsigned code)
    {
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | code >> 6));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | code >> 12));
            out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | code >> 18));
            out.push_back(static_cast<char>(0x80 | (code >> 12 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

std::optional<FlatObject> ParseFlatObject(std::string_view text)
{
    Reader reader(text);
    FlatObject object;
    if (!reader.Take('{'))
        return std::nullopt;
    if (!reader.Take('}')) {
        do {
            std::optional<std::string> key = reader.String();
            if (!key || !reader.Take(':'))
                return std::nullopt;
            if (reader.TakeWord("true")) {
                object.emplace_back(std::move(*key), true);
            } else if (reader.TakeWord("false")) {
                object.emplace_back(std::move(*key), false);
            } else if (std::optional<std::string> value = reader.String()) {
                object.emplace_back(std::move(*key), std::move(*value));
            } else {
                return std::nullopt;
            }
        } while (reader.Take(','));
        if (!reader.Take('}'))
            return std::nullopt;
    }
    if (!reader.AtEnd())
        return std::nullopt;
    return object;
}

} // namespace korimbo::testing
