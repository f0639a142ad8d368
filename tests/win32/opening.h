#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "driver.h"

// What a press on a link hands to other programs. The recorder stands in for them: it is
// registered as the web browser of the ".htm" fallback and as the handler of the thunder, http and
// ms-msdt schemes, and appends each command line it is started with to a file.
namespace korimbo::e2e {

// Registers the recorder in the prefix's registry and sets where it records (an empty file);
// call before starting korimbo.exe, which passes the setting on. Returns the record file.
std::wstring PrepareRecorder(const std::wstring &recorderExe);

// Waits until `count` lines are recorded, then a second more for any that should not come; the lines.
std::vector<std::wstring> AwaitRecords(const std::wstring &recordFile, std::size_t count);

// Presses the link to a target that no handler takes, so the shell fails and the web browser's
// command line is run: the target arrives quoted, with its trailing backslash doubled.
void CheckFallback(const Program &program, const std::wstring &recorderExe, const std::wstring &recordFile);

// Presses links to a Chinese web address (with a space) and to its Thunder link: the handlers get
// exactly these, whatever the system's ANSI code page. Presses on hostile links (a scheme that
// starts a program, a double quote that would end "%1") reach no handler.
void CheckOpening(const Program &program, const std::wstring &recorderExe, const std::wstring &recordFile);

} // namespace korimbo::e2e
