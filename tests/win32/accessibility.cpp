#include "accessibility.h"

#include <array>
#include <vector>

#include <oleacc.h>

#include "opening.h"

namespace korimbo::e2e {
namespace {

constexpr int kInput = 0;
constexpr int kButton = 5;
constexpr int kFirstLinkBox = 11;

// The client object of a control, as a screen reader in another process gets it.
IAccessible *ObjectOf(HWND control)
{
    IAccessible *object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void **>(&object))))
        return nullptr;
    return object;
}

VARIANT Self()
{
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*question)(VARIANT, BSTR *), IAccessible *object)
{
    BSTR text = nullptr;
    if ((object->*question)(Self(), &text) != S_OK || !text)
        return L"(none)";
    std::wstring result(text, SysStringLen(text));
    SysFreeString(text);
    return result;
}

long Role(IAccessible *object)
{
    VARIANT role;
    VariantInit(&role);
    return object->get_accRole(Self(), &role) == S_OK && role.vt == VT_I4 ? role.lVal : -1;
}

void Convert(const std::vector<HWND> &controls, const wchar_t *input)
{
    SendMessageW(controls[kInput], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(input));
    SendMessageW(controls[kButton], BM_CLICK, 0, 0);
}

} // namespace

void CheckAccessibility(const Program &program, const std::wstring &recorderExe, const std::wstring &recordFile)
{
    const std::vector<HWND> c = Children(program.window);
    if (!Check(c.size() == 16, "sixteen controls"))
        return;
    const std::array<const wchar_t *, 5> names{L"原始地址", L"真实地址", L"迅雷地址", L"快车地址", L"旋风地址"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string box = Utf8(names[i]);
        IAccessible *edit = ObjectOf(c[i]);
        if (!Check(edit, "an accessible object for the edit box of " + box))
            continue;
        const std::wstring name = Text(&IAccessible::get_accName, edit);
        Check(name == names[i], "the edit box of " + box + " is named " + Utf8(name));
        edit->Release();
    }

    Convert(c, L"http://a/中文.rar");
    IAccessible *link = ObjectOf(c[kFirstLinkBox]);
    IAccessible *fixed = ObjectOf(c[kFirstLinkBox + 4]);
    if (!Check(link && fixed, "accessible objects for the link boxes"))
        return;
    Check(Role(link) == ROLE_SYSTEM_LINK && Role(fixed) == ROLE_SYSTEM_LINK, "link boxes have the role Link");
    Check(Text(&IAccessible::get_accName, link) == L"直接下载",
          "link box 1 is named " + Utf8(Text(&IAccessible::get_accName, link)));
    Check(Text(&IAccessible::get_accValue, link) == L"http://a/中文.rar",
          "link box 1's value is " + Utf8(Text(&IAccessible::get_accValue, link)));
    Check(Text(&IAccessible::get_accName, fixed) == L"访问官网|空间",
          "link box 5 is named " + Utf8(Text(&IAccessible::get_accName, fixed)));

    // The object follows the content; its default action opens what a click opens, by the same rule.
    Convert(c, L"ms-msdt:/id%20PCWDiagnostic");
    Check(Text(&IAccessible::get_accValue, link) == L"ms-msdt:/id%20PCWDiagnostic", "the value follows the content");
    link->accDoDefaultAction(Self());
    Convert(c, L"http://a/b.rar");
    link->accDoDefaultAction(Self());
    const std::vector<std::wstring> expected{L"\"" + recorderExe + L"\" \"http://a/b.rar\""};
    const std::vector<std::wstring> got = AwaitRecords(recordFile, expected.size());
    Check(got == expected, "the default actions opened " + std::to_string(got.size()) +
                               " targets: " + (got.empty() ? std::string() : Utf8(got.front())));
    link->Release();
    fixed->Release();
}

} // namespace korimbo::e2e
