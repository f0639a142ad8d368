#pragma once

#include <cstddef>
#include <string>
#include <vector>

// What korimbo-convert needs from the operating system beyond standard C++: its arguments, its
// standard streams and reading a file descriptor. platform_posix.cpp and platform_windows.cpp
// implement it.
namespace korimbo {

// The arguments after the program name, in the encoding that LocaleEncoding() names. On Windows
// they are read as UTF-16 from the command line and written as UTF-8; a lone surrogate becomes
// the three bytes that UTF-8 would give it, which are no valid UTF-8 and so are reported.
std::vector<std::string> ProgramArguments(int argc, char **argv);

// Readies standard input and output for byte streams before anything is read or written: the
// locale on POSIX systems, binary mode on Windows (line ends pass unchanged both ways); output
// that goes to no terminal is buffered in large blocks.
void PrepareStandardStreams();

// The descriptor of standard input.
int StandardInputFd();

// Reads at most `size` bytes of `fd` into `buffer`: the count read, 0 at the end, or -1 with
// errno set.
long long ReadSome(int fd, char *buffer, std::size_t size);

// Tells the system that the memory at `data` is one large buffer about to be filled, so that it
// may back it with large pages (fewer page faults); does nothing where there is no such advice.
void AdviseLargeBuffer(void *data, std::size_t size);

} // namespace korimbo
