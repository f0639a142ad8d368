#include "ui/logic/link_layout.h"

#include <algorithm>
#include <cmath>

namespace korimbo {

int LinkBoxFontPixels(double dpi)
{
    return std::max(1, static_cast<int>(std::floor(9.0 * dpi / 72.0)));
}

std::vector<PlacedRun> LayOutLine(const HtmlDocument &document, const TextMeasurer &measurer, int hotLink)
{
    std::vector<PlacedRun> placed;
    placed.reserve(document.runs.size());
    const int height = measurer.LineHeight();
    int x = kLineLeft;
    for (const HtmlRun &run : document.runs) {
        const TextStyle style = run.link < 0          ? TextStyle::Plain
                                : run.link == hotLink ? TextStyle::HotLink
                                                      : TextStyle::Link;
        const int width = measurer.TextWidth(run.text, style);
        placed.push_back({run.text, style, {x, kLineTop, width, height}, run.link});
        x += width;
    }
    return placed;
}

} // namespace korimbo
