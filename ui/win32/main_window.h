#pragma once

#include <optional>
#include <string>

#include <windows.h>

// The main window "Korimbo" in plain Win32: the sixteen controls of the fixed layout, the keyboard
// rules, the focus kept across deactivation, a fixed centred frame with minimise and close boxes.
// The "转换" button runs the Convert command.
namespace korimbo {

// Control IDs, in creation order: 编辑框1 to 编辑框5 are 1001 to 1005, 按钮1 is 1006, 标签1 to
// 标签5 are 1007 to 1011, 简单超文本框1 to 简单超文本框5 are 1012 to 1016.
inline constexpr int kFirstControlId = 1001;

// The main window's class name.
inline constexpr const wchar_t *kMainWindowClass = L"KorimboWindow";

// Registers the window classes (main window and link box). False when Windows refuses.
bool RegisterMainWindowClasses(HINSTANCE instance);

// Creates the window, hidden and centred on the screen, with all its controls, then shows the
// controls and the window and activates it. With `startAddress`, 编辑框1 holds it before the
// window is shown, and a click of 按钮1 is posted once it is shown, so that the Convert command
// runs once from the message loop. Nothing when the window cannot be created.
HWND CreateMainWindow(HINSTANCE instance, const std::optional<std::wstring> &startAddress = std::nullopt);

// The keyboard rules, applied to every message before it is translated: Esc (no Ctrl, Shift or
// Alt) closes the window, Tab and Shift+Tab move along the Tab cycle, F1 does nothing. True when
// the message was handled here and must not be dispatched.
bool PreTranslateWindowKey(const MSG &message);

// Whether the Convert command may still touch the window: it exists and is not closing.
bool MainWindowOpen(HWND window);

} // namespace korimbo
