#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/charset.h"
#include "cli/run.h"

int main(int argc, char **argv)
{
    std::setlocale(LC_ALL, "");
    if (!isatty(STDOUT_FILENO))
        std::setvbuf(stdout, nullptr, _IOFBF, 64 * 1024);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return korimbo::RunConvert(args, korimbo::LocaleEncoding(), STDIN_FILENO, stdout, stderr);
}
