#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/logic/html_reader.h"

// Laying out a link box's content on one line, independent of any toolkit: the toolkit only
// measures text.
namespace korimbo {

// How a piece of text is drawn: outside links (black), in a link (blue), in the link under the
// pointer (blue, underlined). All three use the same font.
enum class TextStyle { Plain, Link, HotLink };

// Measures text in the link box's font; a toolkit (Qt, GDI) plugs in here.
class TextMeasurer
{
  public:
    virtual ~TextMeasurer() = default;
    // Advance width in pixels of `gbk` (GBK bytes) drawn in `style`.
    virtual int TextWidth(std::string_view gbk, TextStyle style) const = 0;
    // Height in pixels of one line of text.
    virtual int LineHeight() const = 0;
};

struct Rect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    // Whether the point lies inside (right and bottom edges excluded).
    bool Contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
    friend bool operator==(const Rect &, const Rect &) = default;
};

// One run placed on the line. Runs inside a link are the box's link areas.
struct PlacedRun
{
    std::string text; // GBK bytes
    TextStyle style = TextStyle::Plain;
    Rect box;
    int link = -1;
};

// The link boxes' font size in pixels: 9 points at `dpi` dots per inch, rounded down (12 at 96 dpi),
// and at least 1.
int LinkBoxFontPixels(double dpi);

// Where the line starts inside the box: 1 pixel in from the left, 1 pixel down from the top.
inline constexpr int kLineLeft = 1;
inline constexpr int kLineTop = 1;

// Places the runs left to right from (kLineLeft, kLineTop), never wrapping; the caller clips at
// the box's edges. Link `hotLink` (or none, when it is -1) gets the hot style.
std::vector<PlacedRun> LayOutLine(const HtmlDocument &document, const TextMeasurer &measurer, int hotLink);

} // namespace korimbo
