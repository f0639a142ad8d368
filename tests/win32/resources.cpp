#include "resources.h"

#include <vector>

#include <windows.h>

#include "driver.h"

namespace korimbo::e2e {
namespace {

std::wstring VersionString(const std::vector<BYTE> &data, const wchar_t *name)
{
    const std::wstring key = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
    wchar_t *text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void **>(&text), &length) || !text)
        return {};
    return std::wstring(text, length > 0 ? length - 1 : 0);
}

} // namespace

void CheckResources(const std::wstring &exe, const std::wstring &version)
{
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!Check(module != nullptr, "korimbo.exe loads as a data file"))
        return;
    Check(FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)) != nullptr, "icon group 1"); // RT_GROUP_ICON
    for (const int size : {16, 32}) {
        HANDLE icon = LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0);
        Check(icon != nullptr, "a " + std::to_string(size) + " pixel icon");
        if (icon)
            DestroyIcon(static_cast<HICON>(icon));
    }
    FreeLibrary(module);

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    if (!Check(size > 0, "a version resource"))
        return;
    std::vector<BYTE> data(size);
    if (!Check(GetFileVersionInfoW(exe.c_str(), 0, size, data.data()) != FALSE, "reading the version resource"))
        return;
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    if (Check(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void **>(&fixed), &length) && fixed,
              "fixed version information")) {
        const std::wstring fileVersion = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                                         std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                                         std::to_wstring(HIWORD(fixed->dwFileVersionLS));
        Check(fileVersion == version, "file version " + Utf8(fileVersion));
        Check(fixed->dwFileType == VFT_APP, "an application");
    }
    Check(VersionString(data, L"ProductVersion") == version, "product version");
    Check(VersionString(data, L"ProductName") == L"Korimbo", "product name");
    Check(VersionString(data, L"OriginalFilename") == L"korimbo.exe", "original file name");
}

} // namespace korimbo::e2e
