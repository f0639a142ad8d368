// The operating system's part of korimbo-convert on POSIX systems.
#include "cli/platform.h"

#include <sys/mman.h>
#include <unistd.h>

#include <clocale>
#include <cstdint>
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

void AdviseLargeBuffer(void *data, std::size_t size)
{
#ifdef MADV_HUGEPAGE
    // madvise wants whole pages: the part of the buffer from its first page boundary on.
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + page - 1) / page * page;
    const auto end = reinterpret_cast<std::uintptr_t>(data) + size;
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE); // only advice: a refusal changes nothing
#else
    (void)data;
    (void)size;
#endif
}

} // namespace korimbo
