#include "ui/logic/html_reader.h"

#include <algorithm>
#include <optional>

#include "ui/logic/html_entities.h"

namespace korimbo {
namespace {

struct Tag
{
    std::string_view name;
    std::optional<std::string> href; // decoded value of the first "href" attribute
};

std::size_t SkipSpaces(std::string_view s, std::size_t i)
{
    while (i < s.size() && s[i] == ' ')
        ++i;
    return i;
}

// `inside` is what stands between "<" and ">".
Tag ReadTag(std::string_view inside)
{
    Tag tag;
    std::size_t i = inside.find(' ');
    tag.name = inside.substr(0, i);
    while (i < inside.size()) {
        i = SkipSpaces(inside, i);
        const std::size_t nameEnd = std::min(inside.find_first_of(" =", i), inside.size());
        const std::string_view name = inside.substr(i, nameEnd - i);
        i = SkipSpaces(inside, nameEnd);
        std::string_view value;
        if (i < inside.size() && inside[i] == '=') {
            i = SkipSpaces(inside, i + 1);
            if (i < inside.size() && inside[i] == '"') {
                const std::size_t close = inside.find('"', i + 1);
                if (close == std::string_view::npos) {
                    i = inside.size(); // no closing quote: the value is empty
                } else {
                    value = inside.substr(i + 1, close - i - 1);
                    i = close + 1;
                }
            } else {
                const std::size_t end = std::min(inside.find(' ', i), inside.size());
                value = inside.substr(i, end - i);
                i = end;
            }
        }
        if (name == "href" && !tag.href)
            tag.href = UnescapeHtml(value);
    }
    return tag;
}

class Reader
{
  public:
    void Text(std::string_view bytes)
    {
        if (bytes.empty())
            return;
        const int link = open_.empty() ? -1 : open_.back();
        std::string text = UnescapeHtml(bytes);
        if (!document_.runs.empty() && document_.runs.back().link == link)
            document_.runs.back().text += text;
        else
            document_.runs.push_back({std::move(text), link});
    }

    void OpenTag(const Tag &tag)
    {
        if (tag.name == "a") {
            open_.push_back(static_cast<int>(document_.targets.size()));
            document_.targets.push_back(tag.href.value_or(std::string()));
        } else if (tag.name == "/a" && !open_.empty()) {
            open_.pop_back();
        }
    }

    HtmlDocument Take() { return std::move(document_); }

  private:
    HtmlDocument document_;
    std::vector<int> open_; // the links whose text is running, innermost last
};

} // namespace

HtmlDocument ReadLinkHtml(std::string_view html)
{
    html = html.substr(0, html.find('\0'));
    Reader reader;
    std::size_t i = 0;
    while (i < html.size()) {
        const std::size_t open = html.find('<', i);
        const std::size_t close = open == std::string_view::npos ? open : html.find('>', open);
        if (close == std::string_view::npos) {
            reader.Text(html.substr(i));
            break;
        }
        reader.Text(html.substr(i, open - i));
        reader.OpenTag(ReadTag(html.substr(open + 1, close - open - 1)));
        i = close + 1;
    }
    return reader.Take();
}

} // namespace korimbo
