#include "app/windows/link_registration.h"

#include <utility>

#include <windows.h>

namespace korimbo {
namespace {

constexpr const wchar_t *kSchemes[] = {L"thunder", L"flashget", L"qqdl"};
// The value that marks a scheme's key as written by Korimbo.
constexpr const wchar_t *kMarker = L"KorimboLinkHandler";

std::wstring ClassesPath(const std::wstring &scheme)
{
    return L"Software\\Classes\\" + scheme;
}

std::wstring ErrorText(LONG error)
{
    return L"错误 " + std::to_wstring(error);
}

bool WrittenByKorimbo(const std::wstring &scheme)
{
    DWORD marker = 0;
    DWORD size = sizeof marker;
    return RegGetValueW(HKEY_CURRENT_USER, ClassesPath(scheme).c_str(), kMarker, RRF_RT_REG_DWORD, nullptr, &marker,
                        &size) == ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const std::wstring &path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Whether any program is registered for the scheme, for this user or the whole machine. The
// user's classes are looked at on their own as well: not every Windows merges them into
// HKEY_CLASSES_ROOT (Wine does not).
bool SchemeKnown(const std::wstring &scheme)
{
    return KeyExists(HKEY_CURRENT_USER, ClassesPath(scheme)) || KeyExists(HKEY_CLASSES_ROOT, scheme);
}

// The scheme's open command, the user's first; empty when there is none.
std::wstring OpenCommand(const std::wstring &scheme)
{
    const DWORD types = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    const std::pair<HKEY, std::wstring> places[] = {
        {HKEY_CURRENT_USER, ClassesPath(scheme) + L"\\shell\\open\\command"},
        {HKEY_CLASSES_ROOT, scheme + L"\\shell\\open\\command"},
    };
    for (const auto &[root, path] : places) {
        DWORD size = 0;
        if (RegGetValueW(root, path.c_str(), nullptr, types, nullptr, nullptr, &size) != ERROR_SUCCESS ||
            size < sizeof(wchar_t))
            continue;
        std::wstring text(size / sizeof(wchar_t), L'\0');
        if (RegGetValueW(root, path.c_str(), nullptr, types, nullptr, text.data(), &size) != ERROR_SUCCESS)
            continue;
        text.resize(wcsnlen(text.c_str(), text.size()));
        return text;
    }
    return {};
}

LONG SetString(HKEY key, const wchar_t *name, const std::wstring &value)
{
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// Writes the scheme's key: a URL protocol whose open command is `command`, marked as Korimbo's.
LONG WriteSchemeKey(const std::wstring &scheme, const std::wstring &command, bool &created)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, ClassesPath(scheme).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &key, &disposition);
    if (result != ERROR_SUCCESS)
        return result;
    created = disposition == REG_CREATED_NEW_KEY;
    const DWORD marker = 1;
    HKEY commandKey = nullptr;
    if ((result = SetString(key, nullptr, L"URL:" + scheme)) == ERROR_SUCCESS &&
        (result = SetString(key, L"URL Protocol", L"")) == ERROR_SUCCESS &&
        (result = RegSetValueExW(key, kMarker, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&marker), sizeof marker)) ==
            ERROR_SUCCESS &&
        (result = RegCreateKeyExW(key, L"shell\\open\\command", 0, nullptr, 0, KEY_WRITE, nullptr, &commandKey,
                                  nullptr)) == ERROR_SUCCESS) {
        result = SetString(commandKey, nullptr, command);
        RegCloseKey(commandKey);
    }
    RegCloseKey(key);
    return result;
}

std::wstring ThisProgram()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

std::vector<SchemeResult> RegisterLinkSchemes(const std::wstring &command)
{
    std::vector<SchemeResult> results;
    for (const wchar_t *scheme : kSchemes) {
        SchemeResult result{scheme, SchemeOutcome::Registered, {}};
        const bool ours = WrittenByKorimbo(scheme);
        if (!ours && SchemeKnown(scheme)) {
            result.outcome = SchemeOutcome::OtherProgram;
            result.detail = OpenCommand(scheme);
        } else {
            bool created = false;
            const LONG error = WriteSchemeKey(scheme, command, created);
            if (error != ERROR_SUCCESS) {
                // A key made just now is taken away again, so that no half-made handler is left.
                if (created)
                    RegDeleteTreeW(HKEY_CURRENT_USER, ClassesPath(scheme).c_str());
                result.outcome = SchemeOutcome::Failed;
                result.detail = ErrorText(error);
            } else if (ours) {
                result.outcome = SchemeOutcome::AlreadyKorimbo;
            }
        }
        results.push_back(result);
    }
    return results;
}

std::vector<SchemeResult> UnregisterLinkSchemes()
{
    std::vector<SchemeResult> results;
    for (const wchar_t *scheme : kSchemes) {
        SchemeResult result{scheme, SchemeOutcome::NotKorimbo, {}};
        if (WrittenByKorimbo(scheme)) {
            const LONG error = RegDeleteTreeW(HKEY_CURRENT_USER, ClassesPath(scheme).c_str());
            result.outcome = error == ERROR_SUCCESS ? SchemeOutcome::Unregistered : SchemeOutcome::Failed;
            if (error != ERROR_SUCCESS)
                result.detail = ErrorText(error);
        }
        results.push_back(result);
    }
    return results;
}

std::wstring DescribeSchemeResults(const std::vector<SchemeResult> &results)
{
    std::wstring text;
    for (const SchemeResult &result : results) {
        text += result.scheme + L"://：";
        switch (result.outcome) {
        case SchemeOutcome::Registered:
            text += L"已登记，此类链接由 Korimbo 打开";
            break;
        case SchemeOutcome::AlreadyKorimbo:
            text += L"早已由 Korimbo 打开";
            break;
        case SchemeOutcome::OtherProgram:
            text += L"已由其他程序打开，未作改动";
            if (!result.detail.empty())
                text += L"（" + result.detail + L"）";
            break;
        case SchemeOutcome::Unregistered:
            text += L"已取消登记，Korimbo 不再打开此类链接";
            break;
        case SchemeOutcome::NotKorimbo:
            text += L"不是 Korimbo 登记的，未作改动";
            break;
        case SchemeOutcome::Failed:
            text += L"无法修改注册表（" + result.detail + L"）";
            break;
        }
        text += L"\n";
    }
    return text;
}

int RunLinkRegistration(bool unregister)
{
    const std::vector<SchemeResult> results =
        unregister ? UnregisterLinkSchemes() : RegisterLinkSchemes(L"\"" + ThisProgram() + L"\" \"%1\"");
    bool failed = false;
    for (const SchemeResult &result : results)
        failed = failed || result.outcome == SchemeOutcome::Failed;
    MessageBoxW(nullptr, DescribeSchemeResults(results).c_str(), L"Korimbo",
                MB_OK | (failed ? MB_ICONWARNING : MB_ICONINFORMATION));
    return failed ? 1 : 0;
}

} // namespace korimbo
