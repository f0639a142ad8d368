// The version resource of korimbo-convert.exe, read as Explorer reads it: Windows only.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::wstring ToolPath()
{
    std::wstring path;
    for (const char c : std::string(KORIMBO_CONVERT_PATH))
        path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return path;
}

} // namespace

TEST(VersionResource, NamesTheProjectVersion)
{
    const std::wstring path = ToolPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version resource, Windows error " << GetLastError();
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data.data()));

    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void **>(&fixed), &length));
    const std::string numbers = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(HIWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(numbers, KORIMBO_VERSION);
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);

    for (const wchar_t *key :
         {L"\\StringFileInfo\\040904B0\\FileVersion", L"\\StringFileInfo\\040904B0\\ProductVersion"}) {
        wchar_t *text = nullptr;
        ASSERT_TRUE(VerQueryValueW(data.data(), key, reinterpret_cast<void **>(&text), &length));
        std::string narrow;
        for (const wchar_t *p = text; *p != L'\0'; ++p)
            narrow.push_back(static_cast<char>(*p));
        EXPECT_EQ(narrow, KORIMBO_VERSION);
    }
    wchar_t *name = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\OriginalFilename",
                               reinterpret_cast<void **>(&name), &length));
    EXPECT_EQ(std::wstring(name), L"korimbo-convert.exe");
}
