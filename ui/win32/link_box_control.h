#pragma once

#include <string_view>

#include <windows.h>

// The link box as a window class of ours: one line of link-box HTML drawn with GDI (off screen
// first), a hand pointer over links that can be opened, the target opened on the left button's
// press. WM_GETTEXT and WM_GETTEXTLENGTH give its content (the HTML, as UTF-16), also to other
// processes.
namespace korimbo {

// The window class name, registered by RegisterLinkBoxClass.
inline constexpr const wchar_t *kLinkBoxClass = L"KorimboLinkBox";

// Registers the class (with double clicks, so that the second press of one opens nothing).
// False when Windows refuses.
bool RegisterLinkBoxClass(HINSTANCE instance);

// Replaces the whole content of the link box with the GBK HTML (up to its first zero byte) and
// asks for a repaint; the new links count at once.
void SetLinkBoxHtml(HWND box, std::string_view html);

} // namespace korimbo
