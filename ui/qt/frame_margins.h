#pragma once

#include <optional>

#include <QMargins>

class QWindow;

namespace korimbo {

// The frame that the desktop will draw around `window` (created, not yet shown), asked before it
// is shown, so that the window is mapped at its final size and place. Nothing where the desktop
// cannot tell in advance; the window then fits its frame once it is shown. One file per platform:
// X11 window managers answer _NET_REQUEST_FRAME_EXTENTS; elsewhere there is no such question.
std::optional<QMargins> FrameMarginsBeforeShow(QWindow &window);

} // namespace korimbo
