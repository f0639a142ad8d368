#include "ui/win32/link_box_control.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <oleacc.h>
#include <windowsx.h>

#include "ui/logic/link_box.h"
#include "ui/open/open_target.h"
#include "ui/win32/accessible.h"
#include "ui/win32/gbk_wide.h"
#include "ui/win32/gdi_text_measurer.h"

namespace korimbo {
namespace {

// What one link box window keeps: its measurer, its logic and whether WM_MOUSELEAVE is asked for.
struct LinkBoxState
{
    GdiTextMeasurer measurer;
    LinkBox box{measurer};
    bool trackingLeave = false;
};

LinkBoxState *StateOf(HWND window)
{
    return reinterpret_cast<LinkBoxState *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Paint(HWND window, const LinkBoxState &state)
{
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    // Drawn off screen first, then shown in one step, so a repaint does not flicker.
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, std::max(1L, client.right), std::max(1L, client.bottom));
    HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
    HGDIOBJ previousFont = SelectObject(dc, LinkBoxFont());
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    SetBkMode(dc, TRANSPARENT);
    for (const PlacedRun &run : state.box.Runs()) {
        const COLORREF colour = run.style == TextStyle::Plain ? RGB(0, 0, 0) : RGB(0, 0, 255);
        SetTextColor(dc, colour);
        const std::wstring text = WideFromGbk(run.text);
        TextOutW(dc, run.box.x, run.box.y, text.c_str(), static_cast<int>(text.size()));
        if (run.style == TextStyle::HotLink && run.box.width > 0) {
            // Drawn by hand, one pixel under the baseline, kept inside the box.
            const int y = std::min<int>(run.box.y + state.measurer.Ascent() + 1, client.bottom - 1);
            RECT line{run.box.x, y, run.box.x + run.box.width, y + 1};
            HBRUSH brush = CreateSolidBrush(colour);
            FillRect(dc, &line, brush);
            DeleteObject(brush);
        }
    }
    BitBlt(screen, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, previousFont);
    SelectObject(dc, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EndPaint(window, &paint);
}

// WM_GETTEXT: the content as UTF-16, cut to the buffer (which always ends in a zero).
LRESULT CopyContent(const LinkBoxState &state, WPARAM capacity, LPARAM buffer)
{
    if (capacity == 0 || buffer == 0)
        return 0;
    const std::wstring text = WideFromGbk(state.box.Content());
    const std::size_t count = std::min<std::size_t>(text.size(), capacity - 1);
    auto *out = reinterpret_cast<wchar_t *>(buffer);
    std::memcpy(out, text.data(), count * sizeof(wchar_t));
    out[count] = L'\0';
    return static_cast<LRESULT>(count);
}

// What a screen reader hears of the box: the text it shows, as a link to the target of its first
// link; pressing it opens that target as a click would, where the box holds one link only.
AccessibleFacts LinkBoxFacts(HWND window)
{
    // Read afresh at every question: the content changes, and the window may be gone.
    const auto links = [window] {
        const LinkBoxState *state = IsWindow(window) ? StateOf(window) : nullptr;
        return state ? state->box.Links() : std::vector<LinkEntry>{};
    };
    AccessibleFacts facts;
    facts.role = ROLE_SYSTEM_LINK;
    facts.name = [window] {
        const LinkBoxState *state = IsWindow(window) ? StateOf(window) : nullptr;
        return state ? WideFromGbk(state->box.ShownText()) : std::wstring();
    };
    facts.value = [links] {
        const std::vector<LinkEntry> all = links();
        return all.empty() ? std::wstring() : WideFromGbk(all.front().target);
    };
    facts.press = [links] {
        const std::vector<LinkEntry> all = links();
        if (all.size() == 1)
            OpenTarget(all.front().target);
    };
    return facts;
}

void UpdatePointer(HWND window, const LinkBoxState &state)
{
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(window, &point);
    const bool hand = state.box.PointerAt(point.x, point.y) == PointerShape::Hand;
    SetCursor(LoadCursorW(nullptr, hand ? IDC_HAND : IDC_ARROW));
}

LRESULT CALLBACK LinkBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new LinkBoxState));
    LinkBoxState *state = StateOf(window);
    if (!state)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete state;
        break;
    case WM_PAINT:
        Paint(window, *state);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint fills the whole box
    case WM_GETTEXT:
        return CopyContent(*state, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(WideFromGbk(state->box.Content()).size());
    case WM_SETTEXT:
        return FALSE; // the content is HTML, set by the program only
    case WM_MOUSEMOVE:
        if (!state->trackingLeave) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
            state->trackingLeave = TrackMouseEvent(&track) != FALSE;
        }
        if (state->box.PointerMoved(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))
            InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_MOUSELEAVE:
        state->trackingLeave = false;
        if (state->box.PointerLeft())
            InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            UpdatePointer(window, *state);
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        if (const auto target = state->box.Press(MouseButton::Left, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))
            OpenTarget(*target);
        return 0;
    case WM_LBUTTONDBLCLK:
        return 0; // the second press of a double click: its first press has opened the link
    case WM_GETOBJECT:
        if (AsksForClientObject(lParam))
            return AnswerClientObject(window, wParam, LinkBoxFacts(window));
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

bool RegisterLinkBoxClass(HINSTANCE instance)
{
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = &LinkBoxProc;
    cls.hInstance = instance;
    cls.lpszClassName = kLinkBoxClass;
    return RegisterClassExW(&cls) != 0;
}

void SetLinkBoxHtml(HWND box, std::string_view html)
{
    LinkBoxState *state = StateOf(box);
    if (!state)
        return;
    state->box.SetContent(html);
    InvalidateRect(box, nullptr, FALSE);
    // Screen readers read the new link.
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, box, OBJID_CLIENT, CHILDID_SELF);
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, box, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace korimbo
