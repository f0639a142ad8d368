#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text at the boundary of the Win32 controls, which hold UTF-16: the program's texts are GBK
// (code page 936) whatever the system's ANSI code page, and its fixed captions are UTF-8.
namespace korimbo {

// The GBK bytes as UTF-16; a byte that is no GBK character becomes U+FFFD or a private-use
// character, as Windows converts it.
std::wstring WideFromGbk(std::string_view gbk);

// The UTF-16 text as GBK bytes; a character that GBK cannot hold becomes "?".
std::string GbkFromWide(std::wstring_view wide);

// The UTF-8 text as UTF-16.
std::wstring WideFromUtf8(std::string_view utf8);

// The UTF-16 text as UTF-8.
std::string Utf8FromWide(std::wstring_view wide);

// `count` zero characters, for a Windows function to fill. Like the conversions above, it reports
// a string that cannot be had, even one longer than a std::wstring can hold, through
// FatalAllocationError.
std::wstring WideBuffer(std::size_t count);

} // namespace korimbo
