#pragma once

#include <QIcon>
#include <QImage>

namespace korimbo {

// The program's icon at `size` × `size` pixels: a blue rounded square with a white downward arrow
// over a link's chain ring. Drawn with plain shapes, so it needs no font.
QImage ProgramIconImage(int size);

// The icon in the sizes a title bar and a taskbar ask for.
QIcon ProgramIcon();

} // namespace korimbo
