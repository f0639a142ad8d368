#include "cli/line_reader.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace korimbo;

namespace {

// A scratch file of this test's own in the temporary folder. std::tmpfile is not used: on
// Windows it creates its file in the root of the current drive, which may not be writable,
// and two test processes may be handed the same name.
std::filesystem::path ScratchPath()
{
    const char *testName = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    return std::filesystem::temp_directory_path() /
           ("korimbo-" + std::string(testName) + "-" + std::to_string(std::random_device{}()));
}

// What Next returned, line by line: the line's text, or "<too long>" / "<error>".
std::vector<std::string> ReadAll(const std::string &input, std::size_t bufferSize, std::size_t maxLength)
{
    const std::filesystem::path path = ScratchPath();
    std::FILE *file = std::fopen(path.string().c_str(), "wb+");
    if (file == nullptr) {
        ADD_FAILURE() << "cannot create " << path.string();
        return {"<no scratch file>"};
    }
    std::fwrite(input.data(), 1, input.size(), file);
    std::fflush(file);
    std::rewind(file);
    LineReader reader(fileno(file), bufferSize, maxLength);
    std::vector<std::string> results;
    std::string line;
    for (LineReader::Status status; (status = reader.Next(line)) != LineReader::Status::End;) {
        if (status == LineReader::Status::Line)
            results.push_back(line);
        else
            results.push_back(status == LineReader::Status::TooLong ? "<too long>" : "<error>");
        if (status == LineReader::Status::Error)
            break;
    }
    std::fclose(file);
    std::filesystem::remove(path);
    return results;
}

struct LineCase
{
    std::string input;
    std::vector<std::string> lines;
};

const std::vector<LineCase> kLineCases{
    {"", {}},
    {"\n", {""}},
    {"\r\n", {""}},
    {"a", {"a"}},
    {"a\n", {"a"}},
    {"a\n\n", {"a", ""}},
    {"a\r\nb\r\n", {"a", "b"}},
    {"a\nb", {"a", "b"}},
    {"a\r\r\n", {"a\r"}},   // only the CR just before the LF belongs to the line end
    {"a\rb\n", {"a\rb"}},   // a CR elsewhere is part of the line
    {"a\r", {"a\r"}},       // no LF follows, so the CR stays
    {" x \t\n", {" x \t"}}, // nothing else is trimmed
    {"\n\n\nlast", {"", "", "", "last"}},
};

} // namespace

TEST(LineReader, SplitsLinesWhereverTheBufferBreaksThem)
{
    // Small buffers put every CR, LF and line start at a buffer edge somewhere.
    for (const std::size_t bufferSize : {1, 2, 3, 7, 65536}) {
        for (const LineCase &test : kLineCases) {
            EXPECT_EQ(ReadAll(test.input, bufferSize, 100), test.lines)
                << "input \"" << test.input << "\", buffer of " << bufferSize;
        }
    }
}

TEST(LineReader, SkipsLinesLongerThanTheMaximumAndGoesOn)
{
    const std::string input = "abcd\nabcde\nab\r\nabcd\r\n" + std::string(50, 'x') + "\nlast\nabcde\r";
    const std::vector<std::string> expected{"abcd", "<too long>", "ab", "abcd", "<too long>", "last", "<too long>"};
    for (const std::size_t bufferSize : {1, 3, 4, 5, 65536})
        EXPECT_EQ(ReadAll(input, bufferSize, 4), expected) << "buffer of " << bufferSize;
}
