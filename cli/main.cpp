#include <cstdio>
#include <string>
#include <vector>

#include "cli/charset.h"
#include "cli/platform.h"
#include "cli/run.h"

int main(int argc, char **argv)
{
    korimbo::PrepareStandardStreams();
    const std::vector<std::string> args = korimbo::ProgramArguments(argc, argv);
    return korimbo::RunConvert(args, korimbo::LocaleEncoding(), korimbo::StandardInputFd(), stdout, stderr);
}
