#pragma once

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "convert/address.h"

// What korimbo-convert writes for each input: its output buffer, JSON strings, and the names of
// the forms. All texts are already in the locale's encoding.
namespace korimbo {

// The form's name on the command line, as a text label and as a JSON key: "real", "thunder",
// "flashget" or "qqdl".
std::string_view FormName(OutputKind kind);

// The form as messages call it: "real address", "Thunder link", ...
std::string_view FormDescription(OutputKind kind);

// Whether the text holds a LF or a CR.
bool HoldsLineBreak(std::string_view text);

// A short constant text kept in 16 bytes, so that it is copied in one move.
struct Piece
{
    char bytes[16];
    std::size_t size;
};

constexpr Piece MakePiece(std::string_view text)
{
    Piece piece{};
    for (std::size_t i = 0; i < text.size() && i < 16; ++i)
        piece.bytes[i] = text[i];
    piece.size = text.size() < 16 ? text.size() : 16;
    return piece;
}

// Standard output, written through a buffer of its own in large blocks; a text larger than the
// buffer goes straight to the file. Nothing here allocates after construction.
class OutputWriter
{
  public:
    explicit OutputWriter(std::FILE *out, std::size_t bufferSize = 64 * 1024);

    void Put(std::string_view text)
    {
        if (text.empty()) // its data may be null
            return;
        if (text.size() <= size_ - used_) {
            std::memcpy(buffer_.get() + used_, text.data(), text.size());
            used_ += text.size();
        } else {
            PutLarge(text);
        }
    }

    void Put(const Piece &piece)
    {
        if (size_ - used_ >= sizeof piece.bytes) {
            std::memcpy(buffer_.get() + used_, piece.bytes, sizeof piece.bytes);
            used_ += piece.size;
        } else {
            Put(std::string_view(piece.bytes, piece.size));
        }
    }

    void Put(char byte)
    {
        if (used_ == size_)
            Drain();
        buffer_[used_++] = byte;
    }

    // The text as a JSON string: quoted, with '"', '\' and the control characters below 0x20
    // escaped, every other byte as it is. Returns true when nothing needed an escape.
    bool PutJsonString(std::string_view text)
    {
        Put('"');
        const bool plain = PutJsonBody(text);
        Put('"');
        return plain;
    }

    // PutJsonString without the quotes.
    bool PutJsonBody(std::string_view text);

    // Writes out what the buffer holds and flushes the file; false once a write has failed.
    bool Flush();

    // The errno of the first failed write, or 0. After a failure nothing more is written.
    int error() const noexcept { return error_; }

  private:
    void PutLarge(std::string_view text);
    void Drain();
    void WriteFile(std::string_view bytes);

    std::FILE *out_;
    std::unique_ptr<char[]> buffer_;
    std::size_t size_;
    std::size_t used_ = 0;
    int error_ = 0;
};

} // namespace korimbo
