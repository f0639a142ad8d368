#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/logic/html_reader.h"
#include "ui/logic/link_layout.h"

// What a link box knows and decides, independent of any toolkit: its content, the layout of its
// one line, the link under the pointer (the hot link), the pointer shape and what a press opens.
// The toolkit's widget feeds it pointer events and paints the placed runs.
namespace korimbo {

enum class MouseButton { Left, Right, Middle, Other };

// A link of the content, as assistive technology presents it.
struct LinkEntry
{
    std::string text;   // what the link shows, GBK
    std::string target; // GBK, character references decoded

    friend bool operator==(const LinkEntry &, const LinkEntry &) = default;
};
enum class PointerShape { Arrow, Hand };

class LinkBox
{
  public:
    // The measurer must outlive the box.
    explicit LinkBox(const TextMeasurer &measurer);

    // Replaces the whole content (GBK HTML, up to its first zero byte) and lays it out at once,
    // so a click right after acts on the new links. The hot link becomes the one under the last
    // known pointer position, or none when the pointer is outside the box.
    void SetContent(std::string_view html);
    const std::string &Content() const { return content_; }

    // Lays the content out again, for a new font.
    void Relayout();

    // The placed runs in drawing order; those with a link number are the link areas.
    const std::vector<PlacedRun> &Runs() const { return runs_; }

    // The links in the order they stand in the content (their numbers).
    std::vector<LinkEntry> Links() const;

    // All the text the box shows, links and plain text alike, in reading order (GBK).
    std::string ShownText() const;

    // The number of the link under the pointer, or -1.
    int HotLink() const { return hot_; }

    // The pointer moved to (x, y) inside the box. True when the look changed (repaint needed).
    bool PointerMoved(int x, int y);

    // The pointer left the box: the hot link clears. True when the look changed.
    bool PointerLeft();

    // A hand over a link whose target can be opened, the arrow anywhere else.
    PointerShape PointerAt(int x, int y) const;

    // A button went down at (x, y). The target to open, if any: only for the left button, and only
    // over a link whose target can be opened. (The second press of a double click is no press: the
    // views do not pass it on.)
    std::optional<std::string> Press(MouseButton button, int x, int y) const;

  private:
    // The first link area, in drawing order, that holds the point, or nullptr.
    const PlacedRun *LinkAt(int x, int y) const;
    bool SetHot(int link);

    const TextMeasurer *measurer_;
    std::string content_;
    HtmlDocument document_;
    std::vector<PlacedRun> runs_;
    int hot_ = -1;
    std::optional<std::pair<int, int>> pointer_;
};

} // namespace korimbo
