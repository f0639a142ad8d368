#include "ui/win32/gbk_wide.h"

#include <windows.h>

namespace korimbo {
namespace {

constexpr UINT kGbk = 936;

std::wstring ToWide(UINT codePage, std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
    return wide;
}

} // namespace

std::wstring WideFromGbk(std::string_view gbk)
{
    return ToWide(kGbk, gbk);
}

std::wstring WideFromUtf8(std::string_view utf8)
{
    return ToWide(CP_UTF8, utf8);
}

std::string GbkFromWide(std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(kGbk, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string gbk(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kGbk, 0, wide.data(), size, gbk.data(), length, nullptr, nullptr);
    return gbk;
}

} // namespace korimbo
