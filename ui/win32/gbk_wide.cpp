#include "ui/win32/gbk_wide.h"

#include <windows.h>

#include "convert/runtime.h"

namespace korimbo {
namespace {

constexpr UINT kGbk = 936;

// A string of `count` zero characters; more than the string type can hold is a failed allocation
// too (on 32-bit Windows a std::wstring holds less than 2^29 characters).
template <typename String> String Blank(std::size_t count)
{
    using Char = typename String::value_type;
    if (count > String().max_size())
        FatalAllocationError(static_cast<unsigned long long>(count) * sizeof(Char));
    return String(count, Char{});
}

std::wstring ToWide(UINT codePage, std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide = Blank<std::wstring>(static_cast<std::size_t>(length));
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
    return wide;
}

std::string FromWide(UINT codePage, std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string bytes = Blank<std::string>(static_cast<std::size_t>(length));
    WideCharToMultiByte(codePage, 0, wide.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

} // namespace

std::wstring WideBuffer(std::size_t count)
{
    return Blank<std::wstring>(count);
}

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
    return FromWide(kGbk, wide);
}

std::string Utf8FromWide(std::wstring_view wide)
{
    return FromWide(CP_UTF8, wide);
}

} // namespace korimbo
