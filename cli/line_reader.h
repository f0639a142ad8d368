#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Lines of a file descriptor, read through a fixed buffer so that memory stays bounded by the
// longest line kept.
namespace korimbo {

class LineReader
{
  public:
    enum class Status {
        Line,     // a line was read
        TooLong,  // a line longer than the maximum was skipped whole
        NoMemory, // a line that the program could not get the memory to hold was skipped whole
        End,      // no more lines
        Error,    // reading failed; error() holds errno
    };

    // Reads `fd` (not owned) `bufferSize` bytes at a time; lines longer than `maxLength` bytes
    // (line end not counted) are skipped instead of kept.
    explicit LineReader(int fd, std::size_t bufferSize = 64 * 1024, std::size_t maxLength = 0x7fffffff);

    // Called before each read of the descriptor, which may wait for input.
    void SetBeforeRead(std::function<void()> hook) { beforeRead_ = std::move(hook); }

    // The next line into `line`, without its line end: a line ends at LF, and a CR just before
    // the LF belongs to the line end. The last line may lack its LF; an input that ends with LF
    // has no empty line after it. A line skipped whole leaves `line` empty, its memory given back.
    Status Next(std::string &line);

    int error() const noexcept { return error_; }

  private:
    bool Fill();

    int fd_;
    std::size_t maxLength_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    int error_ = 0;
    std::function<void()> beforeRead_;
};

} // namespace korimbo
