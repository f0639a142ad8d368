// A stand-in web browser for the tests: writes the command line it was started with, as UTF-8,
// to the file named by KORIMBO_RECORD_FILE (written beside it first, then renamed, so that a
// reader never sees half of it).
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
    bytes.pop_back(); // the terminating zero
    const std::wstring partial = std::wstring(path) + L".part";
    HANDLE file =
        CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return MoveFileExW(partial.c_str(), path, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
