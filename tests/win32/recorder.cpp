// A stand-in web browser and link handler for the tests: appends the command line it was started
// with, as UTF-8, and a line feed to the file named by KORIMBO_RECORD_FILE. One write per run, under
// a lock, so that recorders started side by side keep each other's lines whole.
#include <string>

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    wchar_t path[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"KORIMBO_RECORD_FILE", path, MAX_PATH) == 0)
        return 1;
    const wchar_t *line = GetCommandLineW();
    const int size = WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line, -1, bytes.data(), size, nullptr, nullptr);
    bytes.back() = '\n'; // in place of the terminating zero
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    OVERLAPPED whole{};
    DWORD written = 0;
    BOOL ok = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole);
    if (ok) {
        ok = SetFilePointer(file, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
             WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
    }
    CloseHandle(file);
    return ok && written == bytes.size() ? 0 : 1;
}
