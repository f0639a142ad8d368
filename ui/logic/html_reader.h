#pragma once

#include <string>
#include <string_view>
#include <vector>

// Reading a link box's content: plain text and <a href=...> anchors, nothing more.
namespace korimbo {

// A stretch of text in one style: inside link number `link`, or outside every link (-1).
struct HtmlRun
{
    std::string text; // GBK bytes, character references already decoded
    int link = -1;

    friend bool operator==(const HtmlRun &, const HtmlRun &) = default;
};

// The content as the box shows it: the runs in reading order, and the target of every link,
// indexed by link number (links are numbered 0, 1, 2, ... as their opening tags stand).
struct HtmlDocument
{
    std::vector<HtmlRun> runs;
    std::vector<std::string> targets;
};

// Reads the content up to its first zero byte. A tag runs from "<" to the first ">" after it (a
// "<" with no ">" after it is text). An "a" tag starts a link whose target is its "href" value:
// quoted (up to the next double quote; empty when there is none) or unquoted (up to a space or
// the tag's end); "</a>" ends the innermost link. Other tags are dropped. &amp; &quot; &lt; &gt;
// are decoded in text and values; every other "&" stays literal. Never fails.
HtmlDocument ReadLinkHtml(std::string_view html);

} // namespace korimbo
