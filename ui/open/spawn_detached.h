#pragma once

#include <string>
#include <vector>

// Starting a desktop helper program (xdg-open, open) on POSIX systems without a shell, without
// waiting for it and without leaving a zombie behind.
namespace korimbo {

// Runs argv[0] (searched in the absolute entries of PATH when it holds no "/") with the given
// arguments, each passed as one argument, in a new session with standard input and output on
// /dev/null. Returns at once; a background thread reaps the program when it ends. True when the
// program could be started.
bool SpawnDetached(const std::vector<std::string> &argv);

// What the POSIX openers start their helper with; SpawnDetached unless replaced (tests use a fake).
using Launcher = bool (*)(const std::vector<std::string> &argv);

// Installs the launcher; nullptr restores SpawnDetached. Returns the one installed before.
Launcher SetLauncher(Launcher launcher);

// Starts argv through the installed launcher.
bool Launch(const std::vector<std::string> &argv);

} // namespace korimbo
