// Child processes on Windows: CreateProcessW with anonymous pipes, and a thread per output pipe
// that collects what the child writes, so that writing its input never waits on a full output
// pipe.
#include "process.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cwchar>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace korimbo::testing {
namespace {

void Check(bool ok, const char *what)
{
    if (!ok)
        throw std::runtime_error(std::string(what) + " failed: Windows error " + std::to_string(GetLastError()));
}

void CloseOnce(HANDLE &handle)
{
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    handle = nullptr;
}

// UTF-8 as UTF-16. The three-byte form of a surrogate becomes that lone surrogate, so that tests
// can hand the child any UTF-16; a byte that begins no sequence, or one beyond U+10FFFF, becomes
// U+FFFD.
std::wstring Wide(std::string_view text)
{
    std::wstring wide;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t at) { return at < text.size() ? static_cast<unsigned char>(text[at]) : 0u; };
        const unsigned lead = byte(i);
        const std::size_t length = lead < 0x80    ? 1
                                   : lead >= 0xF8 ? 0
                                   : lead >= 0xF0 ? 4
                                   : lead >= 0xE0 ? 3
                                   : lead >= 0xC0 ? 2
                                                  : 0;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        bool whole = length > 0;
        for (std::size_t k = 1; k < length && whole; ++k) {
            whole = (byte(i + k) & 0xC0) == 0x80;
            code = code << 6 | (byte(i + k) & 0x3F);
        }
        if (!whole || code > 0x10FFFF) {
            wide.push_back(0xFFFD);
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            wide.push_back(static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10)));
            wide.push_back(static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            wide.push_back(static_cast<wchar_t>(code));
        }
        i += length;
    }
    return wide;
}

// The argument quoted so that CommandLineToArgvW and the C runtime read it back unchanged:
// backslashes double only where a quote follows them.
void AppendQuoted(std::wstring &line, const std::wstring &arg)
{
    line.push_back(L'"');
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line.push_back(c);
    }
    line.append(backslashes * 2, L'\\');
    line.push_back(L'"');
}

// The calling process's environment with the overrides, as CreateProcessW takes it: entries
// ending in a zero, then one more zero.
std::wstring MergedEnvironment(const std::vector<std::string> &overrides)
{
    std::vector<std::wstring> wideOverrides;
    for (const std::string &entry : overrides)
        wideOverrides.push_back(Wide(entry));
    std::wstring block;
    wchar_t *strings = GetEnvironmentStringsW();
    for (const wchar_t *entry = strings; *entry != L'\0'; entry += std::wcslen(entry) + 1) {
        const std::wstring_view text(entry);
        // Entries such as "=C:=C:\" name hidden variables that begin with '='.
        const std::wstring_view name = text.substr(0, text.find(L'=', 1));
        bool replaced = false;
        for (const std::wstring &override : wideOverrides)
            replaced |= _wcsicmp(override.substr(0, override.find(L'=')).c_str(), std::wstring(name).c_str()) == 0;
        if (!replaced)
            block.append(text).push_back(L'\0');
    }
    FreeEnvironmentStringsW(strings);
    for (const std::wstring &entry : wideOverrides)
        block.append(entry).push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

// A pipe whose end for the child is inheritable and whose end for us is not.
void MakePipe(HANDLE &ours, HANDLE &theirs, bool theyRead)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    Check(CreatePipe(&read, &write, &inherit, 0), "CreatePipe");
    ours = theyRead ? write : read;
    theirs = theyRead ? read : write;
    Check(SetHandleInformation(ours, HANDLE_FLAG_INHERIT, 0), "SetHandleInformation");
}

} // namespace

struct ChildProcess::State
{
    // Reads the pipe into `text` until it ends, then closes it.
    void Collect(HANDLE pipe, std::string &text)
    {
        char buffer[65536];
        DWORD got = 0;
        while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            const std::lock_guard<std::mutex> lock(mutex);
            text.append(buffer, got);
            changed.notify_all();
        }
        CloseHandle(pipe);
        const std::lock_guard<std::mutex> lock(mutex);
        ++endedPipes;
        changed.notify_all();
    }

    PROCESS_INFORMATION process{};
    HANDLE in = nullptr;
    std::thread outReader;
    std::thread errReader;
    std::mutex mutex;
    std::condition_variable changed;
    std::string outText; // guarded by mutex
    std::string errText; // guarded by mutex
    int endedPipes = 0;  // guarded by mutex
    int pipes = 0;
};

ChildProcess::ChildProcess(const std::string &program, const std::vector<std::string> &args,
                           const std::vector<std::string> &environment, const std::string &outputPath)
    : state_(std::make_unique<State>())
{
    State &s = *state_;
    HANDLE childIn = nullptr, childOut = nullptr, childErr = nullptr;
    HANDLE out = nullptr, err = nullptr;
    MakePipe(s.in, childIn, true);
    if (outputPath.empty()) {
        MakePipe(out, childOut, false);
    } else {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        childOut = CreateFileW(Wide(outputPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        Check(childOut != INVALID_HANDLE_VALUE, "CreateFileW");
    }
    MakePipe(err, childErr, false);

    std::wstring path = Wide(program);
    for (wchar_t &c : path)
        c = c == L'/' ? L'\\' : c;
    std::wstring commandLine;
    AppendQuoted(commandLine, path);
    for (const std::string &arg : args) {
        commandLine.push_back(L' ');
        AppendQuoted(commandLine, Wide(arg));
    }
    std::wstring environmentBlock = MergedEnvironment(environment);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childIn;
    startup.hStdOutput = childOut;
    startup.hStdError = childErr;
    const BOOL created = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, environmentBlock.data(), nullptr,
                                        &startup, &s.process);
    const DWORD error = GetLastError();
    // Only the child holds its ends now, so each pipe ends when the child does.
    CloseOnce(childIn);
    CloseOnce(childOut);
    CloseOnce(childErr);
    if (!created) {
        CloseOnce(s.in);
        CloseOnce(out);
        CloseOnce(err);
        SetLastError(error);
        Check(false, "CreateProcessW");
    }
    CloseOnce(s.process.hThread);
    if (out != nullptr) {
        s.outReader = std::thread([&s, out] { s.Collect(out, s.outText); });
        ++s.pipes;
    }
    s.errReader = std::thread([&s, err] { s.Collect(err, s.errText); });
    ++s.pipes;
}

ChildProcess::~ChildProcess()
{
    State &s = *state_;
    CloseOnce(s.in);
    if (s.process.hProcess != nullptr) {
        TerminateProcess(s.process.hProcess, 1);
        WaitForSingleObject(s.process.hProcess, INFINITE);
        CloseOnce(s.process.hProcess);
    }
    if (s.outReader.joinable())
        s.outReader.join();
    if (s.errReader.joinable())
        s.errReader.join();
}

void ChildProcess::Write(std::string_view input)
{
    State &s = *state_;
    while (!input.empty() && s.in != nullptr) {
        DWORD put = 0;
        const DWORD size = static_cast<DWORD>(std::min<std::size_t>(input.size(), 1 << 20));
        if (!WriteFile(s.in, input.data(), size, &put, nullptr)) {
            // The child closed its input: the rest cannot be delivered.
            CloseOnce(s.in);
            return;
        }
        input.remove_prefix(put);
    }
}

std::string ChildProcess::ReadLine(int timeoutMs)
{
    State &s = *state_;
    std::unique_lock<std::mutex> lock(s.mutex);
    s.changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                       [&s] { return s.outText.find('\n') != std::string::npos || s.endedPipes == s.pipes; });
    const std::size_t end = s.outText.find('\n');
    const std::size_t length = end == std::string::npos ? s.outText.size() : end + 1;
    std::string line = s.outText.substr(0, length);
    s.outText.erase(0, length);
    return line;
}

ProcessResult ChildProcess::Finish()
{
    State &s = *state_;
    CloseOnce(s.in);
    if (s.outReader.joinable())
        s.outReader.join();
    s.errReader.join();
    ProcessResult result;
    WaitForSingleObject(s.process.hProcess, INFINITE);
    DWORD code = 0;
    Check(GetExitCodeProcess(s.process.hProcess, &code), "GetExitCodeProcess");
    CloseOnce(s.process.hProcess);
    result.exitStatus = static_cast<int>(code);
    result.out = std::move(s.outText);
    result.err = std::move(s.errText);
    return result;
}

} // namespace korimbo::testing
