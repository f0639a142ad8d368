#include "ui/win32/edit_box_name.h"

#include <string>

#include "ui/win32/accessible.h"
#include "ui/win32/gbk_wide.h"

namespace korimbo {
namespace {

constexpr const wchar_t *kNameProperty = L"KorimboAccessibleName";

// The EDIT class's own window procedure, the same for every edit box.
WNDPROC editProc = nullptr;

const std::wstring *NameOf(HWND edit)
{
    return static_cast<const std::wstring *>(GetPropW(edit, kNameProperty));
}

LRESULT CALLBACK NamedEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETOBJECT && AsksForClientObject(lParam) && NameOf(edit)) {
        AccessibleFacts facts;
        facts.name = [edit] {
            const std::wstring *name = IsWindow(edit) ? NameOf(edit) : nullptr;
            return name ? *name : std::wstring();
        };
        return AnswerClientObject(edit, wParam, facts);
    }
    if (message == WM_NCDESTROY)
        delete static_cast<std::wstring *>(RemovePropW(edit, kNameProperty));
    return CallWindowProcW(editProc, edit, message, wParam, lParam);
}

} // namespace

void NameEditBox(HWND edit, std::string_view nameUtf8)
{
    SetPropW(edit, kNameProperty, new std::wstring(WideFromUtf8(nameUtf8)));
    const auto previous =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NamedEditProc)));
    if (previous != &NamedEditProc)
        editProc = previous;
}

} // namespace korimbo
