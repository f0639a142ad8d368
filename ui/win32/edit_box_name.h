#pragma once

#include <string_view>

#include <windows.h>

namespace korimbo {

// Gives an edit box its name for screen readers (the caption of its label, UTF-8): the box then
// answers WM_GETOBJECT itself with that name and leaves everything else to Windows' standard edit
// object. Windows cannot find the label on its own: the labels are created after the boxes.
void NameEditBox(HWND edit, std::string_view nameUtf8);

} // namespace korimbo
