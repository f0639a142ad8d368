#pragma once

#include <string_view>

// Showing korimbo.exe's --help and --version: a window program has no console of its own.
namespace korimbo {

// Writes `text` (UTF-8) to standard output when the program was given one (a pipe, a file or a
// console); otherwise shows it in a message box captioned "Korimbo". False when it could not be
// written whole.
bool ShowProgramText(std::string_view text);

} // namespace korimbo
