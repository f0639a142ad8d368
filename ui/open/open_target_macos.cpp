#include "ui/open/open_target.h"

#include <optional>
#include <string>

#include "ui/open/gbk_utf8.h"
#include "ui/open/spawn_detached.h"

namespace korimbo {

void OpenWithDesktop(std::string_view targetGbk)
{
    // open(1) takes the target as one UTF-8 argument; it begins with a scheme, never with "-".
    const std::optional<std::string> target = GbkToUtf8(targetGbk);
    if (target)
        Launch({"open", *target});
}

} // namespace korimbo
