#include "ui/win32/accessible.h"

#include <oleacc.h>

namespace korimbo {
namespace {

BSTR Bstr(const std::wstring &text)
{
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

bool IsSelf(const VARIANT &child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The client area of one control. Questions about the facts it knows are answered here; every
// other one goes to Windows' standard object for the window, or, where there is none (Wine), gets
// the plain answer for a control without children.
class ControlAccessible final : public IAccessible
{
  public:
    ControlAccessible(HWND window, AccessibleFacts facts) : window_(window), facts_(std::move(facts))
    {
        if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void **>(&standard_))))
            standard_ = nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void **object) override
    {
        if (!object)
            return E_POINTER;
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible *>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch: not offered; clients use the IAccessible methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override
    {
        if (count)
            *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *, UINT *) override
    {
        return E_NOTIMPL;
    }

    // IAccessible: what we know.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override
    {
        if (!name)
            return E_POINTER;
        if (!IsSelf(child))
            return E_INVALIDARG;
        *name = Bstr(facts_.name ? facts_.name() : std::wstring());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override
    {
        if (facts_.role == 0 && standard_)
            return standard_->get_accRole(child, role);
        if (!role)
            return E_POINTER;
        if (!IsSelf(child))
            return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = facts_.role != 0 ? facts_.role : ROLE_SYSTEM_CLIENT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR *value) override
    {
        if (!facts_.value && standard_)
            return standard_->get_accValue(child, value);
        if (!value)
            return E_POINTER;
        if (!IsSelf(child))
            return E_INVALIDARG;
        *value = facts_.value ? Bstr(facts_.value()) : nullptr;
        return facts_.value ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override
    {
        if (!facts_.press && standard_)
            return standard_->get_accDefaultAction(child, action);
        if (!action)
            return E_POINTER;
        if (!IsSelf(child))
            return E_INVALIDARG;
        *action = facts_.press ? SysAllocString(L"Jump") : nullptr;
        return facts_.press ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!facts_.press && standard_)
            return standard_->accDoDefaultAction(child);
        if (!IsSelf(child))
            return E_INVALIDARG;
        if (!facts_.press)
            return DISP_E_MEMBERNOTFOUND;
        facts_.press();
        return S_OK;
    }

    // IAccessible: the standard object's answers, or those of a control without children.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override
    {
        if (standard_)
            return standard_->get_accParent(parent);
        if (!parent)
            return E_POINTER;
        *parent = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long *count) override
    {
        if (standard_)
            return standard_->get_accChildCount(count);
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch **dispatch) override
    {
        if (standard_)
            return standard_->get_accChild(child, dispatch);
        if (dispatch)
            *dispatch = nullptr;
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *text) override
    {
        return Forward(&IAccessible::get_accDescription, child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR *text) override
    {
        return Forward(&IAccessible::get_accHelp, child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR *text) override
    {
        return Forward(&IAccessible::get_accKeyboardShortcut, child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT child, long *topic) override
    {
        if (standard_)
            return standard_->get_accHelpTopic(file, child, topic);
        if (file)
            *file = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override
    {
        if (standard_)
            return standard_->get_accState(child, state);
        if (!state)
            return E_POINTER;
        if (!IsSelf(child))
            return E_INVALIDARG;
        state->vt = VT_I4;
        state->lVal = STATE_SYSTEM_FOCUSABLE | (GetFocus() == window_ ? STATE_SYSTEM_FOCUSED : 0) |
                      (facts_.role == ROLE_SYSTEM_LINK ? STATE_SYSTEM_LINKED : 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *focus) override
    {
        if (standard_)
            return standard_->get_accFocus(focus);
        if (!focus)
            return E_POINTER;
        focus->vt = GetFocus() == window_ ? VT_I4 : VT_EMPTY;
        focus->lVal = CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *selection) override
    {
        if (standard_)
            return standard_->get_accSelection(selection);
        if (selection)
            selection->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        return standard_ ? standard_->accSelect(flags, child) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long *left, long *top, long *width, long *height, VARIANT child) override
    {
        if (standard_)
            return standard_->accLocation(left, top, width, height, child);
        if (!left || !top || !width || !height)
            return E_POINTER;
        RECT r{};
        GetWindowRect(window_, &r);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT *end) override
    {
        if (standard_)
            return standard_->accNavigate(direction, start, end);
        if (end)
            end->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT *child) override
    {
        if (standard_)
            return standard_->accHitTest(x, y, child);
        if (!child)
            return E_POINTER;
        RECT r{};
        GetWindowRect(window_, &r);
        const POINT point{x, y};
        child->vt = PtInRect(&r, point) ? VT_I4 : VT_EMPTY;
        child->lVal = CHILDID_SELF;
        return child->vt == VT_I4 ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return standard_ ? standard_->put_accValue(child, value) : E_NOTIMPL;
    }

  private:
    ~ControlAccessible()
    {
        if (standard_)
            standard_->Release();
    }

    HRESULT Forward(HRESULT (STDMETHODCALLTYPE IAccessible::*question)(VARIANT, BSTR *), VARIANT child, BSTR *text)
    {
        if (standard_)
            return (standard_->*question)(child, text);
        if (!text)
            return E_POINTER;
        *text = nullptr;
        return S_FALSE;
    }

    LONG references_ = 1;
    HWND window_;
    AccessibleFacts facts_;
    IAccessible *standard_ = nullptr;
};

} // namespace

bool AsksForClientObject(LPARAM lParam)
{
    return static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT);
}

LRESULT AnswerClientObject(HWND window, WPARAM wParam, const AccessibleFacts &facts)
{
    auto *object = new ControlAccessible(window, facts);
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    return result;
}

} // namespace korimbo
