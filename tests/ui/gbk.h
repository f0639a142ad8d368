#pragma once

#include <iconv.h>

#include <stdexcept>
#include <string>
#include <string_view>

// Test literals are written in UTF-8; the program works on GBK bytes.
namespace korimbo::test {

inline std::string Recode(std::string_view text, const char *from, const char *to)
{
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv_open");
    std::string in(text);
    std::string out(text.size() * 4 + 4, '\0');
    char *inPtr = in.data();
    std::size_t inLeft = in.size();
    char *outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1))
        throw std::runtime_error("not convertible: " + std::string(text));
    out.resize(out.size() - outLeft);
    return out;
}

// The UTF-8 text as GBK bytes.
inline std::string Gbk(std::string_view utf8)
{
    return Recode(utf8, "UTF-8", "CP936");
}

// The GBK bytes as UTF-8, for readable failure messages and comparisons.
inline std::string Utf8(std::string_view gbk)
{
    return Recode(gbk, "CP936", "UTF-8");
}

} // namespace korimbo::test
