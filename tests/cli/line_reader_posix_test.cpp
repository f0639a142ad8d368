// A read error provoked by reading a directory: POSIX only.
#include "cli/line_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include <gtest/gtest.h>

using namespace korimbo;

TEST(LineReader, ReportsAReadError)
{
    const int directory = open("/", O_RDONLY | O_DIRECTORY);
    ASSERT_GE(directory, 0);
    LineReader reader(directory);
    std::string line;
    EXPECT_EQ(reader.Next(line), LineReader::Status::Error);
    EXPECT_EQ(reader.error(), EISDIR);
    close(directory);
}
