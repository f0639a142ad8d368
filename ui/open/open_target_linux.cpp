#include "ui/open/open_target.h"

#include <optional>
#include <string>

#include "ui/open/gbk_utf8.h"
#include "ui/open/spawn_detached.h"

namespace korimbo {

void OpenWithDesktop(std::string_view targetGbk)
{
    // xdg-open takes the target as one argument in the locale's encoding, which is UTF-8 here.
    const std::optional<std::string> target = GbkToUtf8(targetGbk);
    if (target)
        Launch({"xdg-open", *target});
}

} // namespace korimbo
