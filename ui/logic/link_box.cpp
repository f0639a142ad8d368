#include "ui/logic/link_box.h"

#include "ui/logic/open_rule.h"

namespace korimbo {

LinkBox::LinkBox(const TextMeasurer &measurer) : measurer_(&measurer) {}

void LinkBox::SetContent(std::string_view html)
{
    content_ = std::string(html.substr(0, html.find('\0')));
    document_ = ReadLinkHtml(content_);
    hot_ = -1;
    Relayout();
    if (pointer_)
        PointerMoved(pointer_->first, pointer_->second);
}

void LinkBox::Relayout()
{
    runs_ = LayOutLine(document_, *measurer_, hot_);
}

const PlacedRun *LinkBox::LinkAt(int x, int y) const
{
    for (const PlacedRun &run : runs_)
        if (run.link >= 0 && run.box.Contains(x, y))
            return &run;
    return nullptr;
}

bool LinkBox::SetHot(int link)
{
    if (link == hot_)
        return false;
    hot_ = link;
    Relayout();
    return true;
}

bool LinkBox::PointerMoved(int x, int y)
{
    pointer_ = {x, y};
    const PlacedRun *run = LinkAt(x, y);
    return SetHot(run ? run->link : -1);
}

bool LinkBox::PointerLeft()
{
    pointer_.reset();
    return SetHot(-1);
}

std::vector<LinkEntry> LinkBox::Links() const
{
    std::vector<LinkEntry> links;
    for (const std::string &target : document_.targets)
        links.push_back({{}, target});
    for (const HtmlRun &run : document_.runs)
        if (run.link >= 0)
            links[static_cast<std::size_t>(run.link)].text += run.text;
    return links;
}

std::string LinkBox::ShownText() const
{
    std::string shown;
    for (const HtmlRun &run : document_.runs)
        shown += run.text;
    return shown;
}

PointerShape LinkBox::PointerAt(int x, int y) const
{
    const PlacedRun *run = LinkAt(x, y);
    const bool opens = run && IsOpenableTarget(document_.targets[static_cast<std::size_t>(run->link)]);
    return opens ? PointerShape::Hand : PointerShape::Arrow;
}

std::optional<std::string> LinkBox::Press(MouseButton button, int x, int y) const
{
    if (button != MouseButton::Left)
        return std::nullopt;
    const PlacedRun *run = LinkAt(x, y);
    if (!run)
        return std::nullopt;
    const std::string &target = document_.targets[static_cast<std::size_t>(run->link)];
    if (!IsOpenableTarget(target))
        return std::nullopt;
    return target;
}

} // namespace korimbo
