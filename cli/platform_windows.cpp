// The operating system's part of korimbo-convert on Windows.
#include "cli/platform.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

#include <climits>
#include <cstdio>

namespace korimbo {
namespace {

// UTF-16 as UTF-8; a lone surrogate is written as a code point of its own (three bytes
// beginning with 0xED), which no UTF-8 decoder accepts.
std::string Utf16ToUtf8(const wchar_t *text)
{
    std::string out;
    for (const wchar_t *p = text; *p != L'\0'; ++p) {
        char32_t code = static_cast<char16_t>(*p);
        if (code >= 0xD800 && code < 0xDC00 && p[1] >= 0xDC00 && p[1] < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<char16_t>(p[1]) - 0xDC00);
            ++p;
        }
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | code >> 6));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | code >> 12));
            out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | code >> 18));
            out.push_back(static_cast<char>(0x80 | (code >> 12 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

} // namespace

std::vector<std::string> ProgramArguments(int, char **)
{
    // The narrow argv holds the arguments in the ANSI code page, which loses every character
    // that code page lacks; the wide command line has them all.
    std::vector<std::string> args;
    int count = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr)
        return args;
    for (int i = 1; i < count; ++i)
        args.push_back(Utf16ToUtf8(wide[i]));
    LocalFree(wide);
    return args;
}

void PrepareStandardStreams()
{
    // Bytes pass as they are: no CR added before LF on output, none taken away on input, and no
    // end at a Ctrl+Z byte.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if (!_isatty(_fileno(stdout)))
        std::setvbuf(stdout, nullptr, _IOFBF, 64 * 1024);
}

int StandardInputFd()
{
    return _fileno(stdin);
}

long long ReadSome(int fd, char *buffer, std::size_t size)
{
    return _read(fd, buffer, static_cast<unsigned>(size < INT_MAX ? size : INT_MAX));
}

void AdviseLargeBuffer(void *, std::size_t)
{
    // Large pages on Windows need a privilege that programs do not have by default.
}

} // namespace korimbo
