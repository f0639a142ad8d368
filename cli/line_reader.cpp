#include "cli/line_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>

#include "cli/platform.h"

namespace korimbo {
namespace {

// Lines whose buffer reaches this size are worth backing with large pages as they grow.
constexpr std::size_t kLargeLine = 4 << 20;

} // namespace

LineReader::LineReader(int fd, std::size_t bufferSize, std::size_t maxLength)
    : fd_(fd), maxLength_(maxLength), buffer_(bufferSize > 0 ? bufferSize : 1)
{
}

bool LineReader::Fill()
{
    if (atEnd_ || error_ != 0)
        return false;
    if (beforeRead_)
        beforeRead_();
    for (;;) {
        const long long got = ReadSome(fd_, buffer_.data(), buffer_.size());
        if (got > 0) {
            begin_ = 0;
            end_ = static_cast<std::size_t>(got);
            return true;
        }
        if (got == 0) {
            atEnd_ = true;
            return false;
        }
        if (errno != EINTR) {
            error_ = errno;
            return false;
        }
    }
}

LineReader::Status LineReader::Next(std::string &line)
{
    line.clear();
    bool started = false;  // some byte of this line was seen
    bool tooLong = false;  // the line outgrew the maximum; its bytes are being skipped
    bool noMemory = false; // the line outgrew the memory the program could get; skipped too
    for (;;) {
        if (begin_ == end_ && !Fill()) {
            if (error_ != 0)
                return Status::Error;
            if (!started)
                return Status::End;
            if (noMemory)
                return Status::NoMemory;
            if (tooLong || line.size() > maxLength_) {
                std::string().swap(line);
                return Status::TooLong;
            }
            return Status::Line;
        }
        started = true;
        const char *chunk = buffer_.data() + begin_;
        const std::size_t available = end_ - begin_;
        const void *found = std::memchr(chunk, '\n', available);
        const std::size_t taken =
            found ? static_cast<std::size_t>(static_cast<const char *>(found) - chunk) : available;
        // One byte above the maximum may still be the CR of the line end.
        if (!tooLong && !noMemory && line.size() + taken > maxLength_ + 1) {
            tooLong = true;
            std::string().swap(line);
        }
        if (!tooLong && !noMemory) {
            try {
                if (line.size() + taken > line.capacity() && line.capacity() >= kLargeLine) {
                    // A long line grows by doubling; the new room is one large buffer to fill.
                    line.reserve(std::max(line.size() + taken, 2 * line.capacity()));
                    AdviseLargeBuffer(line.data() + line.size(), line.capacity() - line.size());
                }
                line.append(chunk, taken);
            } catch (const std::exception &) { // std::bad_alloc, or std::length_error beyond max_size
                noMemory = true;
                std::string().swap(line);
            }
        }
        begin_ += taken;
        if (found) {
            ++begin_;
            if (noMemory)
                return Status::NoMemory;
            if (tooLong)
                return Status::TooLong;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.size() > maxLength_) {
                std::string().swap(line);
                return Status::TooLong;
            }
            return Status::Line;
        }
    }
}

} // namespace korimbo
