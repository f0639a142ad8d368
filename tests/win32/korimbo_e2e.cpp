// End-to-end checks of korimbo.exe under Wine, driven from outside through the Win32 API.
//   korimbo_e2e layout|convert|keys|closing KORIMBO_EXE
//   korimbo_e2e fallback KORIMBO_EXE RECORDER_EXE     the ".htm" fallback of a link press
//   korimbo_e2e open KORIMBO_EXE RECORDER_EXE ACP     what link presses hand to scheme handlers,
//                                                     under the ANSI code page ACP
//   korimbo_e2e accessibility KORIMBO_EXE RECORDER_EXE  what screen readers get through MSAA
//   korimbo_e2e fatal HELPER_EXE                      the error box of a fatal runtime error
//   korimbo_e2e memory KORIMBO_EXE FAILING_MALLOC_DLL the error box when memory runs out
//   korimbo_e2e resources KORIMBO_EXE VERSION         the icon and version resource of the file
//   korimbo_e2e startup KORIMBO_EXE [RUNS]            prints the time from start to window shown
//   korimbo_e2e show KORIMBO_EXE                      converts the worked example, prints "ready",
//                                                     closes the window at the end of standard input
// Exit status 0 when every check holds; each failed check prints one line.
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

#include "accessibility.h"
#include "driver.h"
#include "fatal_box.h"
#include "opening.h"
#include "out_of_memory.h"
#include "resources.h"
#include "scenarios.h"

namespace korimbo::e2e {
namespace {

struct Expected
{
    const wchar_t *cls;
    int left, top, width, height;
    const wchar_t *text;
};

// The layout in creation order; control IDs are 1001 onwards in this order.
constexpr std::array<Expected, 16> kLayout{{
    {L"Edit", 80, 32, 224, 24, L""},
    {L"Edit", 80, 72, 224, 24, L""},
    {L"Edit", 80, 104, 224, 24, L""},
    {L"Edit", 80, 136, 224, 24, L""},
    {L"Edit", 80, 168, 224, 24, L""},
    {L"Button", 312, 32, 56, 24, L"转换"},
    {L"Static", 16, 32, 56, 24, L"原始地址:"},
    {L"Static", 16, 72, 56, 24, L"真实地址:"},
    {L"Static", 16, 104, 56, 24, L"迅雷地址:"},
    {L"Static", 16, 136, 56, 24, L"快车地址:"},
    {L"Static", 16, 168, 56, 24, L"旋风地址:"},
    {L"KorimboLinkBox", 312, 80, 56, 16, L""},
    {L"KorimboLinkBox", 312, 112, 56, 16, L""},
    {L"KorimboLinkBox", 312, 144, 56, 16, L""},
    {L"KorimboLinkBox", 312, 176, 56, 16, L""},
    {L"KorimboLinkBox", 280, 208, 80, 16,
     L"<a href=http://www.example.com/>访问官网</a>|<a href=http://home.example.com/>空间</a>"},
}};

// Indexes into the creation order.
constexpr int kInput = 0;
constexpr int kButton = 5;
constexpr int kFirstLinkBox = 11;

void CheckLayout(const Program &program)
{
    RECT frame{};
    GetWindowRect(program.window, &frame);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    Check(frame.right - frame.left == 381 && frame.bottom - frame.top == 267, "outer size 381 x 267");
    Check(frame.left == (screenWidth - 381) / 2 && frame.top == (screenHeight - 267) / 2, "centred on the screen");
    const LONG style = GetWindowLongW(program.window, GWL_STYLE);
    const LONG wanted = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    Check((style & wanted) == wanted && !(style & (WS_THICKFRAME | WS_MAXIMIZEBOX)),
          "fixed frame with caption, system menu and minimise box only");
    Check(GetWindow(program.window, GW_OWNER) == nullptr, "the window has no owner");
    // The controls' font is not checked here: Wine answers WM_GETFONT from another process with 0.

    const std::vector<HWND> children = Children(program.window);
    Check(children.size() == kLayout.size(), "sixteen controls");
    for (std::size_t i = 0; i < children.size() && i < kLayout.size(); ++i) {
        const Expected &want = kLayout[i];
        HWND control = children[i];
        const std::string where = "control " + std::to_string(i + 1) + ": ";
        Check(GetDlgCtrlID(control) == 1001 + static_cast<int>(i), where + "control ID");
        Check(ClassOf(control) == want.cls, where + "class " + Utf8(ClassOf(control)));
        const RECT r = ClientRectOf(control);
        Check(r.left == want.left && r.top == want.top && r.right - r.left == want.width &&
                  r.bottom - r.top == want.height,
              where + "position and size");
        Check(TextOf(control) == want.text, where + "text " + Utf8(TextOf(control)));
        Check(IsWindowVisible(control) && IsWindowEnabled(control), where + "visible and enabled");
        const LONG controlStyle = GetWindowLongW(control, GWL_STYLE);
        const bool label = std::wstring(want.cls) == L"Static";
        Check(!(controlStyle & WS_TABSTOP) == label, where + "a Tab stop unless a label");
        if (std::wstring(want.cls) == L"Edit") {
            Check((GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) && (controlStyle & ES_AUTOHSCROLL) &&
                      !(controlStyle & (ES_NOHIDESEL | ES_READONLY | ES_PASSWORD | ES_MULTILINE)),
                  where + "sunken, scrolling, editable single-line box");
            Check(SendMessageW(control, EM_GETLIMITTEXT, 0, 0) > 32767, where + "no typing limit below the maximum");
        }
        if (label)
            Check((controlStyle & SS_CENTERIMAGE) && (controlStyle & SS_TYPEMASK) == SS_LEFTNOWORDWRAP,
                  where + "left, vertically centred, no wrap");
    }
    if (children.size() > kInput)
        Check(FocusOf(program) == children[kInput], "the focus starts in the input box");
}

struct ConvertCase
{
    const wchar_t *input;
    std::array<const wchar_t *, 4> outputs;
    std::array<const wchar_t *, 4> links;
};

const std::array<ConvertCase, 3> kConvertCases{{
    {L"http://a/b.rar",
     {L"http://a/b.rar", L"thunder://QUFodHRwOi8vYS9iLnJhclpa",
      L"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&1926", L"qqdl://aHR0cDovL2EvYi5yYXI="},
     {L"<a href=\"http://a/b.rar\">直接下载</a>", L"<a href=\"thunder://QUFodHRwOi8vYS9iLnJhclpa\">迅雷下载</a>",
      L"<a href=\"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&amp;1926\">快车下载</a>",
      L"<a href=\"qqdl://aHR0cDovL2EvYi5yYXI=\">旋风下载</a>"}},
    // Chinese text crosses the controls as GBK: the Base64 is that of the GBK bytes.
    {L"thunder://QUFodHRwOi8vwP3X0y5jbi/PwtTYIM7EvP4ucmFyWlo=",
     {L"http://例子.cn/下载 文件.rar", L"thunder://QUFodHRwOi8vwP3X0y5jbi/PwtTYIM7EvP4ucmFyWlo=",
      L"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly/A/dfTLmNuL8/C1NggzsS8/i5yYXJbRkxBU0hHRVRd&1926",
      L"qqdl://aHR0cDovL8D919MuY24vz8LU2CDOxLz+LnJhcg=="},
     {L"<a href=\"http://例子.cn/下载 文件.rar\">直接下载</a>",
      L"<a href=\"thunder://QUFodHRwOi8vwP3X0y5jbi/PwtTYIM7EvP4ucmFyWlo=\">迅雷下载</a>",
      L"<a href=\"Flashget://W0ZMQVNIR0VUXWh0dHA6Ly/A/dfTLmNuL8/C1NggzsS8/i5yYXJbRkxBU0hHRVRd&amp;1926\">快车下载</a>",
      L"<a href=\"qqdl://aHR0cDovL8D919MuY24vz8LU2CDOxLz+LnJhcg==\">旋风下载</a>"}},
    {L"",
     {L"转换失败", L"转换失败", L"转换失败", L"转换失败"},
     {L"<a href=\"转换失败\">直接下载</a>", L"<a href=\"转换失败\">迅雷下载</a>", L"<a href=\"转换失败\">快车下载</a>",
      L"<a href=\"转换失败\">旋风下载</a>"}},
}};

void CheckConvert(const Program &program)
{
    const std::vector<HWND> c = Children(program.window);
    if (!Check(c.size() == kLayout.size(), "sixteen controls"))
        return;
    const std::wstring fixedLinks = TextOf(c[kFirstLinkBox + 4]);
    for (const ConvertCase &test : kConvertCases) {
        const std::string name = "input \"" + Utf8(test.input) + "\": ";
        SendMessageW(c[kInput], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(test.input));
        SendMessageW(c[kButton], BM_CLICK, 0, 0);
        for (int kind = 0; kind < 4; ++kind) {
            const std::wstring output = TextOf(c[static_cast<std::size_t>(1 + kind)]);
            Check(output == test.outputs[static_cast<std::size_t>(kind)], name + "output " + Utf8(output));
            const std::wstring link = TextOf(c[static_cast<std::size_t>(kFirstLinkBox + kind)]);
            Check(link == test.links[static_cast<std::size_t>(kind)], name + "link box " + Utf8(link));
        }
        Check(TextOf(c[kInput]) == test.input, name + "the input stays");
    }
    Check(TextOf(c[kFirstLinkBox + 4]) == fixedLinks, "the fifth link box never changes");
}

} // namespace
} // namespace korimbo::e2e

int wmain(int argc, wchar_t **argv)
{
    using namespace korimbo::e2e;
    if (argc < 3) {
        std::fputs("usage: korimbo_e2e layout|convert|keys|closing|fallback|open|accessibility|fatal|memory|resources|"
                   "startup|show KORIMBO_EXE [...]\n",
                   stderr);
        return 2;
    }
    const std::wstring mode = argv[1];
    const std::wstring exe = WindowsPathW(argv[2]);
    if (mode == L"fatal") {
        CheckFatalErrorBox(exe);
        return Failures() == 0 ? 0 : 1;
    }
    if (mode == L"resources") {
        CheckResources(exe, argc > 3 ? argv[3] : L"");
        return Failures() == 0 ? 0 : 1;
    }
    if (mode == L"startup")
        return MeasureStartup(exe, argc > 3 ? _wtoi(argv[3]) : 5);
    const std::wstring recorder = argc > 3 ? WindowsPathW(argv[3]) : L"";
    const bool records = mode == L"fallback" || mode == L"open" || mode == L"accessibility";
    const std::wstring recordFile = records ? PrepareRecorder(recorder) : L"";
    Program program;
    if (!Start(exe, program)) {
        std::fprintf(stderr, "FAIL: korimbo.exe did not show its window\n");
        return 1;
    }
    if (mode == L"memory") { // ends the program itself
        CheckOutOfMemory(program, argc > 3 ? WindowsPathW(argv[3]) : L"");
        return Failures() == 0 ? 0 : 1;
    }
    if (mode == L"layout")
        CheckLayout(program);
    else if (mode == L"convert")
        CheckConvert(program);
    else if (mode == L"keys")
        CheckKeys(program);
    else if (mode == L"closing")
        CloseDuringConversion(program);
    else if (mode == L"fallback")
        CheckFallback(program, recorder, recordFile);
    else if (mode == L"open") {
        const UINT codePage = argc > 4 ? static_cast<UINT>(_wtoi(argv[4])) : 0;
        Check(GetACP() == codePage,
              "ANSI code page " + std::to_string(GetACP()) + ", expected " + std::to_string(codePage));
        CheckOpening(program, recorder, recordFile);
    } else if (mode == L"accessibility") {
        CoInitialize(nullptr);
        CheckAccessibility(program, recorder, recordFile);
        CoUninitialize();
    } else if (mode == L"show")
        ShowExample(program);
    // Esc closes the window like its close box; the program then ends with exit code 0.
    if (IsWindow(program.window)) {
        const std::vector<HWND> c = Children(program.window);
        PostMessageW(c.empty() ? program.window : c.front(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    }
    const long code = WaitForExit(program);
    Check(code == 0, "exit code " + std::to_string(code) + " after Esc");
    return Failures() == 0 ? 0 : 1;
}
