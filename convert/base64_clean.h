#pragma once

#include <cstddef>
#include <string_view>

// The decoder's cleaning of its text: RemoveAllSpaces, then the removal of CR LF pairs, in one
// pass that can stop and go on, so that a long text is cleaned a piece at a time into a small
// buffer. Internal to the core.
namespace korimbo::detail {

// Whether cleaning could change the text: whether it holds a space, a CR or a lead byte.
bool NeedsCleaning(std::string_view text);

class Cleaner
{
  public:
    explicit Cleaner(std::string_view text) noexcept;

    // Appends the next cleaned characters to buffer[written..capacity) and returns the new count;
    // stops when the text is used up or fewer than two bytes of room are left. A LF that removes a
    // CR takes that CR back off the end of the buffer, so the last byte written must still be there
    // while afterLoneCr() is true.
    std::size_t Fill(unsigned char *buffer, std::size_t written, std::size_t capacity);

    bool done() const noexcept { return next_ == size_; }

    // True when the last byte written is a CR that a LF coming next would remove.
    bool afterLoneCr() const noexcept { return afterLoneCr_; }

  private:
    const unsigned char *text_;
    std::size_t size_;
    std::size_t next_ = 0;
    bool afterLoneCr_ = false;
};

} // namespace korimbo::detail
