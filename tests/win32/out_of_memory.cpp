#include "out_of_memory.h"

#include <string>
#include <vector>

#include <windows.h>

#include "fatal_box.h"

namespace korimbo::e2e {
namespace {

// About as much as one message carries to another process under Wine; as UTF-16 more than the
// failing allocator grants.
constexpr std::size_t kPastedCharacters = 512 * 1024;

// Loads the DLL into the process with a thread of its own; whether it was loaded.
bool LoadInto(HANDLE process, const std::wstring &dll)
{
    const SIZE_T bytes = (dll.size() + 1) * sizeof(wchar_t);
    void *path = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!path || !WriteProcessMemory(process, path, dll.c_str(), bytes, nullptr))
        return false;
    // kernel32.dll lies at the same address in every process.
    const auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
    HANDLE thread = CreateRemoteThread(process, nullptr, 0, loadLibrary, path, 0, nullptr);
    if (!thread)
        return false;
    DWORD module = 0; // the low half of the module handle is enough to tell
    const bool loaded =
        WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0 && GetExitCodeThread(thread, &module) && module != 0;
    CloseHandle(thread);
    VirtualFreeEx(process, path, 0, MEM_RELEASE);
    return loaded;
}

} // namespace

void CheckOutOfMemory(Program &program, const std::wstring &failingMallocDll)
{
    const std::vector<HWND> c = Children(program.window);
    if (!Check(c.size() == 16, "sixteen controls"))
        return;
    std::wstring address = L"http://a/";
    address.resize(kPastedCharacters, L'x');
    SendMessageW(c[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(address.c_str()));
    const LRESULT length = SendMessageW(c[0], WM_GETTEXTLENGTH, 0, 0);
    if (!Check(length == static_cast<LRESULT>(address.size()),
               "the long address is in the input box: " + std::to_string(length) + " characters") ||
        !Check(LoadInto(program.process.hProcess, failingMallocDll), "loading the failing allocator"))
        return;
    PostMessageW(c[5], BM_CLICK, 0, 0);
    const std::wstring text = CloseErrorBox(program);
    const std::wstring head = L"运行时出错!\r\n\r\n错误信息：分配 ";
    const std::wstring tail = L" 字节内存失败!\r\n";
    const bool shape = text.size() > head.size() + tail.size() && text.starts_with(head) && text.ends_with(tail);
    Check(shape && std::stoull(text.substr(head.size())) >= 2 * kPastedCharacters,
          "the report names the failed copy of the pasted text: " + Utf8(text));
    const long code = WaitForExit(program);
    Check(code == -1, "exit code " + std::to_string(code) + " after the box is closed");
}

} // namespace korimbo::e2e
