#include "ui/qt/frame_margins.h"

namespace korimbo {

std::optional<QMargins> FrameMarginsBeforeShow(QWindow &)
{
    return std::nullopt;
}

} // namespace korimbo
