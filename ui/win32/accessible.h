#pragma once

#include <functional>
#include <string>

#include <windows.h>

// Names and roles of our controls for screen readers (MSAA, and UI Automation through its MSAA
// bridge): a control answers WM_GETOBJECT for its client area with an object that gives what
// Windows' standard object for the window cannot know (the edit boxes' names, which come from
// labels created after them; the link boxes' role and links), and hands every other question to
// that standard object where Windows has one.
namespace korimbo {

// What a control tells about itself, read afresh at every question (the window may be gone by
// then: the functions must cope).
struct AccessibleFacts
{
    std::function<std::wstring()> name;
    long role = 0;                       // ROLE_SYSTEM_..., or 0 for the standard object's
    std::function<std::wstring()> value; // empty: the standard object's
    std::function<void()> press;         // empty: no default action of ours
};

// Whether WM_GETOBJECT's lParam asks for the client area's object, the one a control answers
// itself; for anything else the window procedure goes on as usual.
bool AsksForClientObject(LPARAM lParam);

// The answer to WM_GETOBJECT(wParam, OBJID_CLIENT) for `window`: an object with `facts`.
LRESULT AnswerClientObject(HWND window, WPARAM wParam, const AccessibleFacts &facts);

} // namespace korimbo
