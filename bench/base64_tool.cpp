// korimbo-base64 encode|decode IN OUT: writes the Base64 text of the file IN, or the bytes that
// the Base64 text in IN decodes to, into OUT. Made for timing the codec on large files.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "convert/base64.h"

namespace {

bool ReadFile(const char *path, std::string &contents)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteFile(const char *path, std::string_view contents)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.close();
    return static_cast<bool>(out);
}

int Usage()
{
    std::fputs("usage: korimbo-base64 encode|decode IN OUT\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4)
        return Usage();
    const std::string_view mode = argv[1];
    if (mode != "encode" && mode != "decode")
        return Usage();
    std::string contents;
    if (!ReadFile(argv[2], contents)) {
        std::fprintf(stderr, "korimbo-base64: cannot read %s: %s\n", argv[2], std::strerror(errno));
        return 1;
    }
    if (contents.size() > 0x7fffffff / 4 * 3) {
        std::fprintf(stderr, "korimbo-base64: %s is too large\n", argv[2]);
        return 1;
    }
    bool written = false;
    if (mode == "encode") {
        const korimbo::AnsiText text = korimbo::Base64Encode(korimbo::ByteSet(std::move(contents)));
        written = WriteFile(argv[3], text.bytes());
    } else {
        // The decoder reads text: a zero byte would end it, so refuse rather than lose the rest.
        if (contents.find('\0') != std::string::npos) {
            std::fprintf(stderr, "korimbo-base64: %s holds a zero byte; Base64 text has none\n", argv[2]);
            return 1;
        }
        const korimbo::ByteSet data = korimbo::Base64Decode(korimbo::AnsiText(std::move(contents)));
        written = WriteFile(argv[3], data.bytes());
    }
    if (!written) {
        std::fprintf(stderr, "korimbo-base64: cannot write %s: %s\n", argv[3], std::strerror(errno));
        return 1;
    }
    return 0;
}
