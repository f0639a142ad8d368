#include "app/windows/program_text.h"

#include <string>

#include <windows.h>

namespace korimbo {
namespace {

std::wstring Wide(std::string_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

} // namespace

bool ShowProgramText(std::string_view text)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE || GetFileType(out) == FILE_TYPE_UNKNOWN) {
        MessageBoxW(nullptr, Wide(text).c_str(), L"Korimbo", MB_OK | MB_ICONINFORMATION);
        return true;
    }
    DWORD mode = 0;
    if (GetConsoleMode(out, &mode)) {
        const std::wstring wide = Wide(text);
        DWORD written = 0;
        return WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) &&
               written == wide.size();
    }
    DWORD written = 0;
    return WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
}

} // namespace korimbo
