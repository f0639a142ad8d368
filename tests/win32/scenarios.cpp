#include "scenarios.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace korimbo::e2e {
namespace {

constexpr int kInput = 0;
constexpr int kButton = 5;
constexpr int kFirstLinkBox = 11;
// The Tab cycle as indexes into the creation order: edit boxes, button, link boxes.
constexpr int kTabCycle[] = {0, 1, 2, 3, 4, 5, 11, 12, 13, 14, 15};

void PostKey(HWND control, WPARAM key)
{
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, 0xC0000001);
}

// Presses or releases a key through the input system, for keys whose held state matters.
void SendKey(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

} // namespace

void CheckKeys(const Program &program)
{
    const std::vector<HWND> c = Children(program.window);
    if (!Check(c.size() == 16 && FocusOf(program) == c[kInput], "sixteen controls, focus in the input box"))
        return;
    // Enter and F1 in the input box: nothing is converted and the focus stays. The Tab after them
    // shows they have been handled (posted messages arrive in order).
    SendMessageW(c[kInput], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"http://a/b.rar"));
    PostKey(c[kInput], VK_RETURN);
    PostMessageW(c[kInput], WM_CHAR, L'\r', 1);
    PostKey(c[kInput], VK_F1);
    for (std::size_t step = 1; step <= std::size(kTabCycle); ++step) {
        const HWND from = c[static_cast<std::size_t>(kTabCycle[step - 1])];
        const HWND to = c[static_cast<std::size_t>(kTabCycle[step % std::size(kTabCycle)])];
        PostKey(from, VK_TAB);
        Check(WaitUntil([&] { return FocusOf(program) == to; }), std::string("Tab step ") + std::to_string(step));
    }
    Check(TextOf(c[1]).empty() && TextOf(c[kFirstLinkBox]).empty(), "Enter converts nothing");
    Check(IsWindowVisible(program.window) != FALSE, "Enter and F1 leave the window open");

    // Shift+Tab from the input box goes back to the last link box.
    SetForegroundWindow(program.window);
    SendKey(VK_SHIFT, false);
    SendKey(VK_TAB, false);
    SendKey(VK_TAB, true);
    SendKey(VK_SHIFT, true);
    Check(WaitUntil([&] { return FocusOf(program) == c[kFirstLinkBox + 4]; }), "Shift+Tab goes backwards");
    // Shift+Esc does not close the window.
    SendKey(VK_SHIFT, false);
    SendKey(VK_ESCAPE, false);
    SendKey(VK_ESCAPE, true);
    SendKey(VK_SHIFT, true);
    SendKey(VK_TAB, false); // through the same input queue, so it comes after the Shift+Esc
    SendKey(VK_TAB, true);
    Check(WaitUntil([&] { return FocusOf(program) == c[kInput]; }), "Tab wraps to the input box");
    Check(IsWindow(program.window) != FALSE, "Shift+Esc leaves the window open");

    // The focus is remembered while another window is active.
    PostKey(c[kInput], VK_TAB);
    PostKey(c[1], VK_TAB);
    WaitUntil([&] { return FocusOf(program) == c[2]; });
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    WaitUntil([&] { return GetForegroundWindow() == other; });
    SetForegroundWindow(program.window);
    Check(WaitUntil([&] { return GetForegroundWindow() == program.window && FocusOf(program) == c[2]; }),
          "the focus comes back to the third edit box after activation; foreground " +
              std::to_string(GetForegroundWindow() == program.window) + " other " +
              std::to_string(GetForegroundWindow() == other) + " focus " + std::to_string(FocusOf(program) == c[2]));
    DestroyWindow(other);
}

void CloseDuringConversion(const Program &program)
{
    const std::vector<HWND> c = Children(program.window);
    if (!Check(c.size() == 16, "sixteen controls"))
        return;
    // A 256 KiB Thunder link takes far longer to decode than the 10 ms after which the decoder lets
    // waiting messages through; the Esc posted behind the click is one of them.
    std::wstring link = L"thunder://";
    for (int group = 0; group < 64 * 1024; ++group)
        link += L"QUFB";
    SendMessageW(c[kInput], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(link.c_str()));
    if (!Check(TextOf(c[kInput]).size() == link.size(), "the long link is in the input box"))
        return;
    PostMessageW(c[kButton], BM_CLICK, 0, 0);
    PostKey(c[kInput], VK_ESCAPE);
    Check(WaitUntil([&] { return !IsWindow(program.window); }), "Esc closes the window during the conversion");
}

int MeasureStartup(const std::wstring &exe, int runs)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        Program program;
        double shown = 0;
        if (!Start(exe, program, &shown)) {
            std::fprintf(stderr, "korimbo.exe did not show its window\n");
            return 1;
        }
        times.push_back(shown);
        std::printf("run %d: %.1f ms\n", run + 1, shown);
        PostMessageW(program.window, WM_CLOSE, 0, 0);
        if (WaitForExit(program) != 0) {
            std::fprintf(stderr, "korimbo.exe did not exit with 0\n");
            return 1;
        }
    }
    std::sort(times.begin(), times.end());
    if (!times.empty())
        std::printf("start to window shown: best %.1f ms, median %.1f ms over %d runs\n", times.front(),
                    times[times.size() / 2], runs);
    return 0;
}

void ShowExample(const Program &program)
{
    const std::vector<HWND> c = Children(program.window);
    if (!Check(c.size() == 16, "sixteen controls"))
        return;
    SendMessageW(c[kInput], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"http://a/b.rar"));
    SendMessageW(c[kButton], BM_CLICK, 0, 0);
    // The pointer over 直接下载, so that it shows underlined.
    POINT point{10, 8};
    ClientToScreen(c[kFirstLinkBox], &point);
    SetCursorPos(point.x, point.y);
    Sleep(300);
    std::puts("ready");
    std::fflush(stdout);
    char line[16];
    std::fgets(line, sizeof line, stdin);
}

} // namespace korimbo::e2e
