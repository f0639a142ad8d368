#include "cli/output.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace korimbo {
namespace {

// Sixteen bytes as one vector (GCC's vector extension: SSE2 on x86, NEON on ARM, words elsewhere).
using Bytes16 = unsigned char __attribute__((vector_size(16)));

Bytes16 Load16(const char *bytes)
{
    Bytes16 v;
    std::memcpy(&v, bytes, sizeof v);
    return v;
}

// The first 16 bytes at `bytes`, or the bytes up to `end` followed by `pad`.
Bytes16 Load16(const char *bytes, const char *end, char pad)
{
    if (end - bytes >= 16)
        return Load16(bytes);
    char padded[16];
    std::memset(padded, pad, sizeof padded);
    std::memcpy(padded, bytes, static_cast<std::size_t>(end - bytes));
    return Load16(padded);
}

// The index of the first set lane of a comparison result (every lane 0x00 or 0xFF), or 16.
template <class Mask> std::size_t FirstSet(Mask mask)
{
    std::uint64_t halves[2];
    std::memcpy(halves, &mask, sizeof halves);
    if (halves[0] != 0)
        return static_cast<std::size_t>(__builtin_ctzll(halves[0])) / 8;
    if (halves[1] != 0)
        return 8 + static_cast<std::size_t>(__builtin_ctzll(halves[1])) / 8;
    return 16;
}

// The lanes that JSON must escape: control characters, '"' and '\\'.
auto EscapeLanes(Bytes16 v)
{
    return (v < 0x20) | (v == '"') | (v == '\\');
}

// The index of the first byte at or after `from` that JSON must escape, or npos.
std::size_t NextEscape(std::string_view text, std::size_t from)
{
    const std::size_t n = text.size();
    if (n - from < 16) {
        if (from >= n)
            return std::string_view::npos;
        const std::size_t lane = FirstSet(EscapeLanes(Load16(text.data() + from, text.data() + n, 'a')));
        return lane < 16 ? from + lane : std::string_view::npos;
    }
    for (; from + 16 <= n; from += 16) {
        const std::size_t lane = FirstSet(EscapeLanes(Load16(text.data() + from)));
        if (lane < 16)
            return from + lane;
    }
    if (from == n)
        return std::string_view::npos;
    // The last sixteen bytes, of which those before `from` are known to need no escape.
    const std::size_t lane = FirstSet(EscapeLanes(Load16(text.data() + n - 16)));
    return lane < 16 ? n - 16 + lane : std::string_view::npos;
}

} // namespace

std::string_view FormName(OutputKind kind)
{
    static constexpr std::array<std::string_view, 4> kNames{"real", "thunder", "flashget", "qqdl"};
    return kNames[static_cast<std::size_t>(kind)];
}

std::string_view FormDescription(OutputKind kind)
{
    static constexpr std::array<std::string_view, 4> kDescriptions{"real address", "Thunder link", "FlashGet link",
                                                                   "Whirlwind (qqdl) link"};
    return kDescriptions[static_cast<std::size_t>(kind)];
}

bool HoldsLineBreak(std::string_view text)
{
    const char *end = text.data() + text.size();
    for (std::size_t i = 0; i < text.size(); i += 16) {
        const Bytes16 v = Load16(text.data() + i, end, 'a');
        if (FirstSet((v == '\n') | (v == '\r')) < 16)
            return true;
    }
    return false;
}

OutputWriter::OutputWriter(std::FILE *out, std::size_t bufferSize)
    : out_(out), buffer_(new char[bufferSize > 0 ? bufferSize : 1]), size_(bufferSize > 0 ? bufferSize : 1)
{
}

void OutputWriter::WriteFile(std::string_view bytes)
{
    if (error_ != 0 || bytes.empty())
        return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), out_) != bytes.size())
        error_ = errno != 0 ? errno : EIO;
}

void OutputWriter::Drain()
{
    WriteFile(std::string_view(buffer_.get(), used_));
    used_ = 0;
}

void OutputWriter::PutLarge(std::string_view text)
{
    Drain();
    if (text.size() >= size_) {
        WriteFile(text);
        return;
    }
    std::memcpy(buffer_.get(), text.data(), text.size());
    used_ = text.size();
}

bool OutputWriter::PutJsonBody(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::size_t plain = 0; // start of the run of bytes that need no escape
    for (std::size_t at = NextEscape(text, 0); at != std::string_view::npos; at = NextEscape(text, at + 1)) {
        Put(text.substr(plain, at - plain));
        plain = at + 1;
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte == '"' || byte == '\\') {
            Put('\\');
            Put(static_cast<char>(byte));
        } else {
            Put("\\u00");
            Put(kHex[byte >> 4]);
            Put(kHex[byte & 15]);
        }
    }
    Put(text.substr(plain));
    return plain == 0;
}

bool OutputWriter::Flush()
{
    Drain();
    if (std::fflush(out_) != 0 && error_ == 0)
        error_ = errno != 0 ? errno : EIO;
    return error_ == 0;
}

} // namespace korimbo
