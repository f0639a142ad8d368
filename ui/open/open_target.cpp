#include "ui/open/open_target.h"

#include "ui/logic/url_scheme.h"

namespace korimbo {
namespace {

DesktopOpener desktopOpener = nullptr;

} // namespace

bool OpenTarget(std::string_view targetGbk)
{
    if (!IsOpenableTarget(targetGbk))
        return false;
    (desktopOpener ? desktopOpener : &OpenWithDesktop)(targetGbk);
    return true;
}

DesktopOpener SetDesktopOpener(DesktopOpener opener)
{
    const DesktopOpener previous = desktopOpener;
    desktopOpener = opener;
    return previous;
}

} // namespace korimbo
