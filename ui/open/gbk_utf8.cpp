#include "ui/open/gbk_utf8.h"

#include <iconv.h>

namespace korimbo {

std::optional<std::string> GbkToUtf8(std::string_view gbk)
{
    const iconv_t cd = ::iconv_open("UTF-8", "CP936");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string in(gbk);
    std::string out(gbk.size() * 3 + 4, '\0'); // a GBK character never takes more than 3 UTF-8 bytes per byte
    char *inPtr = in.data();
    std::size_t inLeft = in.size();
    char *outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t rc = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    const bool ok = rc != static_cast<std::size_t>(-1) && ::iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == 0;
    ::iconv_close(cd);
    if (!ok || inLeft != 0)
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace korimbo
