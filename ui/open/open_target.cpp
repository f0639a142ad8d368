#include "ui/open/open_target.h"

#include <optional>
#include <string>

#include "ui/logic/open_rule.h"

namespace korimbo {
namespace {

DesktopOpener desktopOpener = nullptr;

} // namespace

bool OpenTarget(std::string_view targetGbk)
{
    const std::optional<std::string> target = OpenableForm(targetGbk);
    if (!target)
        return false;
    (desktopOpener ? desktopOpener : &OpenWithDesktop)(*target);
    return true;
}

DesktopOpener SetDesktopOpener(DesktopOpener opener)
{
    const DesktopOpener previous = desktopOpener;
    desktopOpener = opener;
    return previous;
}

} // namespace korimbo
