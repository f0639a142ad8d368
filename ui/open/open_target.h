#pragma once

#include <string_view>

// Opening a link's target on the desktop, one implementation file per platform. Targets are GBK
// bytes, as the link box holds them; each desktop gets them in its own encoding (UTF-16 on
// Windows, UTF-8 elsewhere), since the system's code page need not be GBK.
namespace korimbo {

// Hands the target to the desktop's "open" action in the form OpenableForm gives, when it gives
// one; anything else is ignored. Failures are silent. Returns whether the target was handed on.
bool OpenTarget(std::string_view targetGbk);

// The platform's own way of opening: xdg-open on Linux, open on macOS, the shell's "open" with the
// browser fallback on Windows. Applies no rule of what may be opened; OpenTarget does.
void OpenWithDesktop(std::string_view targetGbk);

// What OpenTarget hands targets to; OpenWithDesktop unless replaced (tests use a fake).
using DesktopOpener = void (*)(std::string_view targetGbk);

// Installs the opener; nullptr restores OpenWithDesktop. Returns the one installed before.
DesktopOpener SetDesktopOpener(DesktopOpener opener);

} // namespace korimbo
