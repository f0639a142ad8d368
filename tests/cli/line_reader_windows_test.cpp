// A read error provoked by reading a descriptor opened for writing only: Windows only.
#include "cli/line_reader.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

using namespace korimbo;

TEST(LineReader, ReportsAReadError)
{
    const std::string path = "line_reader_write_only.tmp";
    const int writeOnly = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
    ASSERT_GE(writeOnly, 0);
    LineReader reader(writeOnly);
    std::string line;
    EXPECT_EQ(reader.Next(line), LineReader::Status::Error);
    EXPECT_EQ(reader.error(), EBADF);
    _close(writeOnly);
    std::remove(path.c_str());
}
