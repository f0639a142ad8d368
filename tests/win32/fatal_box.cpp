#include "fatal_box.h"

#include <vector>

#include <windows.h>

namespace korimbo::e2e {

std::wstring CloseErrorBox(const Program &program)
{
    HWND box = nullptr;
    WaitUntil([&] {
        box = FindWindowW(nullptr, L"错误");
        DWORD pid = 0;
        GetWindowThreadProcessId(box, &pid);
        return box && pid == program.process.dwProcessId && IsWindowVisible(box);
    });
    if (!Check(box != nullptr, "an error box captioned 错误"))
        return {};
    Check(GetWindow(box, GW_OWNER) == nullptr, "the box has no owner");
    std::wstring text;
    for (HWND child : Children(box))
        if (ClassOf(child) == L"Static" && !TextOf(child).empty())
            text = TextOf(child);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return text;
}

void CheckFatalErrorBox(const std::wstring &helperExe)
{
    Program program;
    std::wstring commandLine = L"\"" + helperExe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!Check(CreateProcessW(helperExe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &program.process) != FALSE,
               "starting the helper"))
        return;
    const std::wstring text = CloseErrorBox(program);
    Check(text == L"运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n",
          "the report's text: " + Utf8(text));
    const long code = WaitForExit(program);
    Check(code == -1, "exit code " + std::to_string(code) + " after the box is closed");
}

} // namespace korimbo::e2e
