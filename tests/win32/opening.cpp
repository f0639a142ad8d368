#include "opening.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace korimbo::e2e {
namespace {

constexpr int kInput = 0;
constexpr int kButton = 5;
constexpr int kFirstLinkBox = 11;

// The lines recorded so far.
std::vector<std::wstring> Records(const std::wstring &path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::wstring text(bytes.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                                           static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(0, length)));
    std::vector<std::wstring> lines;
    for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

bool SetClassesRootValue(const std::wstring &key, const wchar_t *name, const std::wstring &value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const LONG rc = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return rc == ERROR_SUCCESS;
}

// Registers the recorder for a URL scheme, with "%1" quoted as handlers do.
bool RegisterHandler(const std::wstring &scheme, const std::wstring &recorderExe)
{
    return SetClassesRootValue(scheme, nullptr, L"URL:" + scheme) &&
           SetClassesRootValue(scheme, L"URL Protocol", L"") &&
           SetClassesRootValue(scheme + L"\\shell\\open\\command", nullptr, L"\"" + recorderExe + L"\" \"%1\"");
}

void Convert(const std::vector<HWND> &controls, const wchar_t *input)
{
    SendMessageW(controls[kInput], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(input));
    SendMessageW(controls[kButton], BM_CLICK, 0, 0);
}

// A left-button press just inside the link of link box `number` (1 to 5), whose text starts 1 pixel in
// and 1 pixel down. Sent, not posted: a posted press would wait behind the next conversion, which
// is sent too, and then open the next link.
void PressLink(const std::vector<HWND> &controls, int number)
{
    HWND box = controls[static_cast<std::size_t>(kFirstLinkBox + number - 1)];
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

std::string Lines(const std::vector<std::wstring> &lines)
{
    std::string text;
    for (const std::wstring &line : lines)
        text += "\n  " + Utf8(line);
    return text;
}

} // namespace

std::vector<std::wstring> AwaitRecords(const std::wstring &path, std::size_t count)
{
    WaitUntil([&] { return Records(path).size() >= count; }) ||
        WaitUntil([&] { return Records(path).size() >= count; });
    Sleep(1000);
    return Records(path);
}

std::wstring PrepareRecorder(const std::wstring &recorderExe)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring record = std::wstring(folder) + L"korimbo-e2e-recorded.txt";
    DeleteFileW(record.c_str());
    SetEnvironmentVariableW(L"KORIMBO_RECORD_FILE", record.c_str());
    Check(SetClassesRootValue(L".htm", nullptr, L"KorimboFakeHtm") &&
              SetClassesRootValue(L"KorimboFakeHtm\\shell\\open\\command", nullptr, L"\"" + recorderExe + L"\" \"%1\""),
          "registering the fake browser");
    for (const wchar_t *scheme : {L"thunder", L"http", L"ms-msdt"})
        Check(RegisterHandler(scheme, recorderExe), "registering the fake handler of " + Utf8(scheme));
    return record;
}

void CheckFallback(const Program &program, const std::wstring &recorderExe, const std::wstring &recordFile)
{
    const std::vector<HWND> c = Children(program.window);
    if (!Check(c.size() == 16, "sixteen controls"))
        return;
    // No handler takes magnet: here, so the shell fails and the fallback runs.
    const wchar_t *target = L"magnet:?xt=urn:btih:0123&dn=a\\";
    Convert(c, target);
    Check(TextOf(c[kFirstLinkBox]) == L"<a href=\"magnet:?xt=urn:btih:0123&amp;dn=a\\\">直接下载</a>",
          "the link to the target");
    PressLink(c, 1);
    // The registered command cut before "%1" (its space included), one space, the quoted target.
    const std::vector<std::wstring> expected{L"\"" + recorderExe + L"\"  \"magnet:?xt=urn:btih:0123&dn=a\\\\\""};
    const std::vector<std::wstring> got = AwaitRecords(recordFile, expected.size());
    Check(got == expected, "browser command lines:" + Lines(got) + "\nexpected:" + Lines(expected));
}

void CheckOpening(const Program &program, const std::wstring &recorderExe, const std::wstring &recordFile)
{
    const std::vector<HWND> c = Children(program.window);
    if (!Check(c.size() == 16, "sixteen controls"))
        return;
    // Refused: a scheme that starts a program, and a Thunder link that would close "%1".
    Convert(c, L"ms-msdt:/id%20PCWDiagnostic");
    PressLink(c, 1);
    Convert(c, L"thunder://x\" --evil \"");
    PressLink(c, 2);
    // Opened: a Chinese address with a space, and its Thunder link.
    Convert(c, L"http://a/中文 b.rar");
    Check(TextOf(c[2]) == L"thunder://QUFodHRwOi8vYS/W0M7EIGIucmFyWlo=", "the Thunder link");
    PressLink(c, 1);
    PressLink(c, 2);
    const std::wstring handler = L"\"" + recorderExe + L"\" ";
    std::vector<std::wstring> expected{handler + L"\"http://a/中文%20b.rar\"",
                                       handler + L"\"thunder://QUFodHRwOi8vYS/W0M7EIGIucmFyWlo=\""};
    std::vector<std::wstring> got = AwaitRecords(recordFile, expected.size());
    std::sort(expected.begin(), expected.end());
    std::sort(got.begin(), got.end());
    Check(got == expected, "handler command lines:" + Lines(got) + "\nexpected:" + Lines(expected));
}

} // namespace korimbo::e2e
