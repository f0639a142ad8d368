#include "ui/open/open_target.h"

#include <optional>
#include <string>

#include "ui/open/gbk_utf8.h"
#include "ui/open/spawn_detached.h"

// The desktop's opener program, chosen by the build: xdg-open on Linux and other free desktops,
// open on macOS.
#ifndef KORIMBO_DESKTOP_OPENER
#error "KORIMBO_DESKTOP_OPENER must name the desktop's opener program"
#endif

namespace korimbo {

void OpenWithDesktop(std::string_view targetGbk)
{
    // The opener takes the target as one argument in the locale's encoding, UTF-8 on these
    // desktops. The target begins with a scheme, never with "-".
    const std::optional<std::string> target = GbkToUtf8(targetGbk);
    if (target)
        Launch({KORIMBO_DESKTOP_OPENER, *target});
}

} // namespace korimbo
