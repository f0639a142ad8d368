#include "ui/win32/main_window.h"

#include <cstddef>
#include <string>

#include "ui/logic/convert_command.h"
#include "ui/logic/fatal_report.h"
#include "ui/logic/link_html.h"
#include "ui/logic/window_layout.h"
#include "ui/win32/edit_box_name.h"
#include "ui/win32/gbk_wide.h"
#include "ui/win32/link_box_control.h"

namespace korimbo {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kIconResource = 1;

HWND mainWindow = nullptr;
bool closing = false;
HWND focusWhenDeactivated = nullptr;

int IndexOf(std::string_view name)
{
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (kControls[i].name == name)
            return static_cast<int>(i);
    return -1;
}

HWND Control(HWND window, std::string_view name)
{
    return GetDlgItem(window, kFirstControlId + IndexOf(name));
}

HWND EditBox(HWND window, int number)
{
    return GetDlgItem(window, kFirstControlId + number - 1);
}

HWND LinkBoxWindow(HWND window, int number)
{
    return Control(window, "简单超文本框" + std::to_string(number));
}

// The Convert command's view of the window.
class Win32ConvertView : public ConvertWindow
{
  public:
    explicit Win32ConvertView(HWND window) : window_(window) {}

    bool IsOpen() const override { return MainWindowOpen(window_); }
    AnsiText ReadEditBox(int number) const override
    {
        HWND box = EditBox(window_, number);
        std::wstring text = WideBuffer(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1);
        text.resize(static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
        return AnsiText(GbkFromWide(text));
    }
    void WriteEditBox(int number, const AnsiText &text) override
    {
        SetWindowTextW(EditBox(window_, number), WideFromGbk(text.bytes()).c_str());
    }
    void SetLinkBoxContent(int number, const ByteSet &html) override
    {
        SetLinkBoxHtml(LinkBoxWindow(window_, number), html.bytes());
    }

  private:
    HWND window_;
};

HWND CreateControl(HWND window, HINSTANCE instance, const ControlLayout &entry, int id)
{
    const wchar_t *cls = L"EDIT";
    DWORD style = WS_CHILD | WS_TABSTOP;
    DWORD exStyle = 0;
    switch (entry.kind) {
    case ControlKind::EditBox:
        style |= ES_LEFT | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case ControlKind::Button:
        cls = L"BUTTON";
        style |= BS_PUSHBUTTON;
        break;
    case ControlKind::Label:
        cls = L"STATIC";
        style = WS_CHILD | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_NOPREFIX;
        break;
    case ControlKind::LinkBox:
        cls = kLinkBoxClass;
        break;
    }
    const std::wstring caption = WideFromUtf8(entry.caption);
    HWND control =
        CreateWindowExW(exStyle, cls, caption.c_str(), style, entry.left, entry.top, entry.width, entry.height, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (control && entry.kind != ControlKind::LinkBox)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    // Typing and pasting are limited only by the control's own maximum, not by its default limit
    // of 32767 characters: links run longer.
    if (control && entry.kind == ControlKind::EditBox)
        SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
    return control;
}

bool CreateControls(HWND window, HINSTANCE instance)
{
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (!CreateControl(window, instance, kControls[i], kFirstControlId + static_cast<int>(i)))
            return false;
    SetLinkBoxHtml(LinkBoxWindow(window, 5), MakerLinksHtml().bytes());
    for (const auto &[box, label] : kEditBoxLabels)
        NameEditBox(Control(window, box), AccessibleEditBoxName(box));
    return true;
}

// Moves the focus along the Tab cycle, forwards or backwards, wrapping around.
void MoveFocus(HWND window, bool backwards)
{
    const int count = static_cast<int>(kTabCycle.size());
    int current = -1;
    HWND focus = GetFocus();
    for (int i = 0; i < count; ++i)
        if (Control(window, kTabCycle[static_cast<std::size_t>(i)]) == focus)
            current = i;
    const int next = current < 0 ? 0 : (current + (backwards ? count - 1 : 1)) % count;
    HWND target = Control(window, kTabCycle[static_cast<std::size_t>(next)]);
    SetFocus(target);
    wchar_t cls[16] = {};
    GetClassNameW(target, cls, 16);
    if (lstrcmpiW(cls, L"EDIT") == 0)
        SendMessageW(target, EM_SETSEL, 0, -1); // as the dialog manager does on Tab
}

void RestoreFocus(HWND window)
{
    HWND target = focusWhenDeactivated;
    if (!target || !IsWindow(target) || !IsChild(window, target) || !IsWindowVisible(target) ||
        !IsWindowEnabled(target))
        target = Control(window, kTabCycle.front());
    SetFocus(target);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_3DFACE));
        return 1;
    }
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, GetSysColor(COLOR_3DFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_3DFACE));
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kFirstControlId + IndexOf("按钮1") && HIWORD(wParam) == BN_CLICKED && !ClicksStopped()) {
            Win32ConvertView view(window);
            RunConvertCommand(view);
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window, focus))
                focusWhenDeactivated = focus;
        } else if (!IsIconic(window)) {
            RestoreFocus(window);
        }
        return 0;
    case WM_SETFOCUS:
        RestoreFocus(window);
        return 0;
    case WM_HELP:
        return TRUE;
    case WM_CLOSE:
        closing = true;
        break; // DefWindowProc destroys the window
    case WM_DESTROY:
        closing = true;
        mainWindow = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

bool RegisterMainWindowClasses(HINSTANCE instance)
{
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = &MainWindowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    cls.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    cls.lpszClassName = kMainWindowClass;
    return RegisterClassExW(&cls) != 0 && RegisterLinkBoxClass(instance);
}

HWND CreateMainWindow(HINSTANCE instance, const std::optional<std::wstring> &startAddress)
{
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kFrameWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kFrameHeight) / 2;
    const std::wstring title = WideFromUtf8(kWindowTitle);
    HWND window = CreateWindowExW(0, kMainWindowClass, title.c_str(), kWindowStyle, left, top, kFrameWidth,
                                  kFrameHeight, nullptr, nullptr, instance, nullptr);
    if (!window)
        return nullptr;
    if (!CreateControls(window, instance)) {
        DestroyWindow(window);
        return nullptr;
    }
    mainWindow = window;
    closing = false;
    if (startAddress)
        SetWindowTextW(EditBox(window, 1), startAddress->c_str());
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ShowWindow(child, SW_SHOWNA);
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    UpdateWindow(window);
    if (startAddress) {
        const int button = kFirstControlId + IndexOf("按钮1");
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
    }
    return window;
}

bool PreTranslateWindowKey(const MSG &message)
{
    if (message.message != WM_KEYDOWN || !mainWindow)
        return false;
    if (message.hwnd != mainWindow && !IsChild(mainWindow, message.hwnd))
        return false;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    switch (message.wParam) {
    case VK_ESCAPE:
        if (ctrl || shift || alt)
            return false;
        SendMessageW(mainWindow, WM_CLOSE, 0, 0);
        return true;
    case VK_TAB:
        if (ctrl || alt)
            return false;
        MoveFocus(mainWindow, shift);
        return true;
    case VK_F1:
        return true;
    default:
        return false;
    }
}

bool MainWindowOpen(HWND window)
{
    return window && window == mainWindow && !closing && IsWindow(window);
}

} // namespace korimbo
