// The conversions through the Windows code page functions. Each goes through UTF-16 and counts
// only when it is exact: text that does not convert back to what it came from (a byte that the
// code page only approximates, a character written as a default or best-fit byte) is reported as
// the character at fault.
#include "cli/charset.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>

namespace korimbo {
namespace {

std::string Lower(std::string_view name)
{
    std::string lower(name);
    for (char &c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The number in "NNN" when it is all decimal digits; 0 otherwise.
UINT Number(std::string_view digits)
{
    if (digits.empty() || digits.size() > 5)
        return 0;
    UINT number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        number = number * 10 + static_cast<UINT>(c - '0');
    }
    return number;
}

// The code page that a charset name stands for; 0 for a name we do not know.
UINT CodePage(const std::string &name)
{
    const std::string lower = Lower(name);
    if (lower == "gbk" || lower == "cp936")
        return 936;
    if (lower == "utf-8" || lower == "utf8")
        return CP_UTF8;
    if (lower == "latin1")
        return 28591;
    // ISO-8859-N is code page 28590 + N; the spellings are iconv's.
    for (const std::string_view iso : {"iso-8859-", "iso8859-", "iso_8859-"}) {
        if (lower.starts_with(iso)) {
            const UINT part = Number(std::string_view(lower).substr(iso.size()));
            return part >= 1 && part <= 16 ? 28590 + part : 0;
        }
    }
    if (lower == "ascii" || lower == "us-ascii")
        return 20127;
    if (lower == "gb18030")
        return 54936;
    if (lower.starts_with("cp"))
        return Number(std::string_view(lower).substr(2));
    if (lower.starts_with("windows-"))
        return Number(std::string_view(lower).substr(8));
    return 0;
}

// The text of `codePage` as UTF-16; false when it holds a byte sequence that is no character.
bool ToWide(UINT codePage, std::string_view in, std::wstring &out)
{
    out.clear();
    if (in.empty())
        return true;
    if (in.size() > INT_MAX)
        return false;
    const int length = static_cast<int>(in.size());
    const int needed = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), length, nullptr, 0);
    if (needed <= 0)
        return false;
    out.resize(static_cast<std::size_t>(needed));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), length, out.data(), needed) == needed;
}

// UTF-16 in `codePage`; false when a character has no place in it, or only an approximate one.
bool FromWide(UINT codePage, std::wstring_view in, std::string &out)
{
    out.clear();
    if (in.empty())
        return true;
    if (in.size() > INT_MAX)
        return false;
    const int length = static_cast<int>(in.size());
    // UTF-8 takes neither flag nor default character; it fails on a lone surrogate instead.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL *usedPointer = utf8 ? nullptr : &usedDefault;
    const int needed = WideCharToMultiByte(codePage, flags, in.data(), length, nullptr, 0, nullptr, usedPointer);
    if (needed <= 0 || usedDefault)
        return false;
    out.resize(static_cast<std::size_t>(needed));
    return WideCharToMultiByte(codePage, flags, in.data(), length, out.data(), needed, nullptr, usedPointer) ==
               needed &&
           !usedDefault;
}

// The text of `codePage` as UTF-16, only when that converts back to exactly the same bytes.
bool ToWideExactly(UINT codePage, std::string_view in, std::wstring &out, std::string &check)
{
    return ToWide(codePage, in, out) && FromWide(codePage, out, check) && check == in;
}

// UTF-16 in `codePage`, only when that converts back to exactly the same UTF-16.
bool FromWideExactly(UINT codePage, std::wstring_view in, std::string &out, std::wstring &check)
{
    return FromWide(codePage, in, out) && ToWide(codePage, out, check) && check == in;
}

char32_t FirstCodePoint(std::wstring_view text)
{
    const char32_t first = static_cast<char16_t>(text[0]);
    if (first >= 0xD800 && first < 0xDC00 && text.size() > 1)
        return 0x10000 + ((first - 0xD800) << 10) + (static_cast<char16_t>(text[1]) - 0xDC00);
    return first;
}

} // namespace

struct CharsetConverter::Engine
{
    UINT from;
    UINT to;
    std::size_t longestCharacter; // in bytes of `from`
    std::wstring wide;
    std::wstring wideCheck;
    std::string check;

    // The first character that does not convert exactly, found one character at a time.
    CharsetFault Diagnose(std::string_view in);
};

void CharsetConverter::EngineDeleter::operator()(Engine *engine) const noexcept
{
    delete engine;
}

CharsetConverter::EnginePointer CharsetConverter::OpenEngine(const std::string &from, const std::string &to)
{
    const UINT fromPage = CodePage(from);
    const UINT toPage = CodePage(to);
    CPINFOEXW info{};
    if (fromPage == 0 || toPage == 0 || !IsValidCodePage(fromPage) || !IsValidCodePage(toPage) ||
        !GetCPInfoExW(fromPage, 0, &info))
        return nullptr;
    // Code pages whose functions take no flags (the ISO-2022 ones, UTF-7, ...) cannot tell a
    // faulty byte from a good one; they are not offered.
    std::wstring probe;
    std::string text;
    if (!ToWide(fromPage, "A", probe) || !ToWide(toPage, "A", probe) || !FromWide(fromPage, probe, text) ||
        !FromWide(toPage, probe, text))
        return nullptr;
    return EnginePointer(new Engine{fromPage, toPage, std::max<std::size_t>(1, info.MaxCharSize), {}, {}, {}});
}

std::optional<CharsetFault> CharsetConverter::ConvertWithEngine(std::string_view in, std::string &out)
{
    Engine &engine = *engine_;
    if (engine.from == engine.to) {
        // The only check left is that the text is valid in its code page.
        if (!ToWideExactly(engine.from, in, engine.wide, engine.check))
            return engine.Diagnose(in);
        out.assign(in);
        return std::nullopt;
    }
    if (!ToWideExactly(engine.from, in, engine.wide, engine.check) ||
        !FromWideExactly(engine.to, engine.wide, out, engine.wideCheck))
        return engine.Diagnose(in);
    return std::nullopt;
}

CharsetFault CharsetConverter::Engine::Diagnose(std::string_view in)
{
    std::wstring character;
    std::string converted;
    std::size_t offset = 0;
    while (offset < in.size()) {
        // The shortest run of bytes that is one whole character.
        std::size_t length = 0;
        for (std::size_t tried = 1; tried <= longestCharacter && offset + tried <= in.size(); ++tried) {
            if (ToWideExactly(from, in.substr(offset, tried), character, check)) {
                length = tried;
                break;
            }
        }
        if (length == 0)
            return CharsetFault{true, offset, std::string(in.substr(offset, 1)), 0};
        if (from != to && !FromWideExactly(to, character, converted, wideCheck))
            return CharsetFault{false, offset, std::string(in.substr(offset, length)), FirstCodePoint(character)};
        offset += length;
    }
    // Every character converts on its own but the whole does not; name the start.
    return CharsetFault{true, 0, std::string(in.substr(0, std::min<std::size_t>(1, in.size()))), 0};
}

std::string LocaleEncoding()
{
    return "UTF-8";
}

} // namespace korimbo
