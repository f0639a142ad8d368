// The operating system's part of korimbo-convert on POSIX systems.
#include "cli/platform.h"

#include <unistd.h>

#include <clocale>
#include <cstdio>

namespace korimbo {

std::vector<std::string> ProgramArguments(int argc, char **argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void PrepareStandardStreams()
{
    std::setlocale(LC_ALL, "");
    if (!isatty(STDOUT_FILENO))
        std::setvbuf(stdout, nullptr, _IOFBF, 64 * 1024);
}

int StandardInputFd()
{
    return STDIN_FILENO;
}

long long ReadSome(int fd, char *buffer, std::size_t size)
{
    return read(fd, buffer, size);
}

} // namespace korimbo
