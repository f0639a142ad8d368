#pragma once

#include <string>
#include <vector>

// Korimbo as the opener of thunder://, flashget:// and qqdl:// links for the current user: one key
// per scheme under HKEY_CURRENT_USER\Software\Classes. A scheme that some program opens already
// (a download manager, for the current user or the whole machine) is never taken, and only the
// keys that Korimbo wrote are ever removed; nothing else in the registry is written.
namespace korimbo {

// What became of one scheme.
enum class SchemeOutcome {
    Registered,     // Korimbo opens its links now
    AlreadyKorimbo, // Korimbo opened them already; the command names this korimbo.exe now
    OtherProgram,   // another program opens them: left as it was
    Unregistered,   // Korimbo's key was removed
    NotKorimbo,     // Korimbo did not open them: nothing removed
    Failed,         // the registry refused a change; `detail` holds the error
};

struct SchemeResult
{
    std::wstring scheme;
    SchemeOutcome outcome;
    std::wstring detail; // OtherProgram: that program's open command, when there is one
};

// Makes `command` (as "\"C:\\Korimbo\\korimbo.exe\" \"%1\"") open the links of each scheme that
// no program opens yet, and refreshes the command of the schemes that Korimbo opens already.
std::vector<SchemeResult> RegisterLinkSchemes(const std::wstring &command);

// Removes the keys that Korimbo wrote, and no other.
std::vector<SchemeResult> UnregisterLinkSchemes();

// The message that tells what was done: one line per scheme.
std::wstring DescribeSchemeResults(const std::vector<SchemeResult> &results);

// --register-links (or with `unregister`, --unregister-links) for this korimbo.exe: does it and
// says what it did in a message box. Returns 0, or 1 when the registry refused a change.
int RunLinkRegistration(bool unregister);

} // namespace korimbo
