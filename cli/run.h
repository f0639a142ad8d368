#pragma once

#include <cstdio>
#include <span>
#include <string>

// The whole of one run of korimbo-convert.
namespace korimbo {

// Runs the command with `args` (without the program name), reading standard input from
// `inputFd` when no address is given, and returns the exit status: 0 when every input was
// converted and recognised, 1 when one was not or reading or writing failed, 2 for a usage
// error. `localeEncoding` is the encoding of all text read and written.
int RunConvert(std::span<const std::string> args, const std::string &localeEncoding, int inputFd, std::FILE *out,
               std::FILE *err);

} // namespace korimbo
