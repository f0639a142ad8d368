// Decoding: runs of clean groups through the kernels, every other group one at a time by the rules.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "convert/base64.h"
#include "convert/base64_clean.h"
#include "convert/base64_kernels.h"
#include "convert/base64_tables.h"
#include "convert/buffer.h"
#include "convert/runtime.h"

namespace korimbo {
namespace {

using detail::kBase64Placed;
using detail::kInvalid;

// Characters decoded on the block path between two calls of the events hook: 1024 groups, a few
// microseconds of work, far below the window's 10 ms between dispatches of events.
constexpr std::size_t kEventsBlock = 4096;

// The cleaned text is decoded from a buffer of this size, a piece at a time.
constexpr std::size_t kCleanPiece = 8192;

// The decoding of one text, group after group. Invariant between groups: `dst` is where the next
// group's three bytes go; `stop` says where the last group ended (5: it did not end early; k: at
// its k-th character; 0: no group yet); `slots` hold the four slot values the last group left,
// which a group that ends early keeps in its later slots.
class Decoder
{
  public:
    explicit Decoder(unsigned char *dst) : dst_(dst) {}

    // Decodes the groups of the clean text t[0..n). A text that is not the last piece stops before
    // a short group at its end; the last piece decodes that group too, its missing characters
    // reading as "A". Returns the characters used.
    std::size_t DecodeGroups(const unsigned char *t, std::size_t n, bool lastPiece)
    {
        std::size_t used = 0;
        for (;;) {
            used += CleanRun(t + used, n - used);
            const std::size_t left = n - used;
            if (left == 0 || (left < 4 && !lastPiece))
                return used;
            const std::size_t group = std::min<std::size_t>(left, 4);
            OddGroup(t + used, group);
            used += group;
        }
    }

    // Decodes the leading groups of four alphabet characters: whole blocks through the kernels,
    // then single groups. Returns the characters used.
    std::size_t CleanRun(const unsigned char *t, std::size_t n)
    {
        const detail::Base64Kernels &kernels = detail::ActiveKernels();
        std::size_t used = 0;
        while (n - used >= detail::kDecodeBlock) {
            const std::size_t piece = std::min(n - used, kEventsBlock);
            const std::size_t got = kernels.decodeBlocks(t + used, piece, dst_);
            used += got;
            dst_ += got / 4 * 3;
            if (got > 0)
                ProcessPendingEvents();
            if (got < piece / detail::kDecodeBlock * detail::kDecodeBlock || got == 0)
                break; // the next block holds another character
        }
        for (; n - used >= 4; used += 4) {
            const std::uint32_t v = detail::DecodeGroup(t + used);
            if ((v & kInvalid) != 0)
                break;
            detail::StoreGroup(dst_, v);
            dst_ += 3;
            ProcessPendingEvents();
        }
        if (used > 0) {
            stop_ = 5;
            for (int k = 0; k < 4; ++k)
                slots_[k] = kBase64Placed[k][t[used - 4 + k]] >> (18 - 6 * k);
        }
        return used;
    }

    // One group that ends early at a character outside the alphabet, or the short last group
    // (`available` characters, 1 to 4).
    void OddGroup(const unsigned char *group, std::size_t available)
    {
        stop_ = 5;
        for (std::size_t k = 0; k < 4; ++k) {
            if (k >= available) {
                slots_[k] = 0; // a missing character reads as "A"
                continue;
            }
            const unsigned char c = group[k];
            const std::uint32_t placed = kBase64Placed[k][c];
            if (placed == kInvalid) {
                slots_[k] = c;
                stop_ = static_cast<int>(k) + 1;
                break;
            }
            slots_[k] = placed >> (18 - 6 * k);
        }
        dst_[0] = static_cast<unsigned char>((slots_[0] << 2) | (slots_[1] >> 4));
        dst_[1] = static_cast<unsigned char>((slots_[1] << 4) | (slots_[2] >> 2));
        dst_[2] = static_cast<unsigned char>((slots_[2] << 6) | slots_[3]);
        dst_ += 3;
        ProcessPendingEvents();
    }

    // Cleans the text a piece at a time and decodes each piece. A piece ends with the group that
    // is still short, and, when the last character is a CR that a LF in the next piece may remove,
    // before that CR; both move to the start of the next piece.
    void DecodeCleaned(std::string_view text)
    {
        unsigned char piece[kCleanPiece];
        detail::Cleaner cleaner(text);
        std::size_t written = 0;
        for (;;) {
            written = cleaner.Fill(piece, written, sizeof piece);
            const bool last = cleaner.done();
            const std::size_t usable = !last && cleaner.afterLoneCr() ? written - 1 : written;
            const std::size_t used = DecodeGroups(piece, usable, last);
            if (last)
                return;
            std::memmove(piece, piece + used, written - used);
            written -= used;
        }
    }

    unsigned char *end() const { return dst_; }

    // The bytes that the last group's early end takes off the output.
    std::size_t dropped() const { return stop_ < 5 ? static_cast<std::size_t>(5 - stop_) : 0; }

  private:
    unsigned char *dst_;
    std::uint32_t slots_[4] = {0, 0, 0, 0};
    int stop_ = 0;
};

// The most bytes that decoding `size` characters gives, and the room the kernels write beyond.
std::size_t DecodeRoom(std::size_t size)
{
    return size / 4 * 3 + (size % 4 != 0 ? 3 : 0) + detail::kDecodeSlack;
}

} // namespace

namespace detail {

std::size_t ScalarDecodeBlocks(const unsigned char *src, std::size_t n, unsigned char *dst)
{
    std::size_t i = 0;
    for (; i + kDecodeBlock <= n; i += kDecodeBlock, dst += 24) {
        std::uint32_t v[8];
        std::uint32_t any = 0;
        for (int g = 0; g < 8; ++g) {
            v[g] = DecodeGroup(src + i + 4 * g);
            any |= v[g];
        }
        if ((any & kInvalid) != 0)
            break;
        for (int g = 0; g < 8; ++g)
            StoreGroup(dst + 3 * g, v[g]);
    }
    return i;
}

} // namespace detail

void Base64DecodeInto(std::string_view text, std::string &out)
{
    detail::ResizeBuffer(out, DecodeRoom(text.size()));
    Decoder decoder(reinterpret_cast<unsigned char *>(out.data()));
    const auto *src = reinterpret_cast<const unsigned char *>(text.data());
    // Alphabet characters need no cleaning, so the run of clean groups at the start is decoded
    // from the text itself; a zero byte is no alphabet character, so the run ends before it.
    const std::size_t start = decoder.CleanRun(src, text.size());
    if (start < text.size()) {
        // The rest begins with a group that ends early or is short. Cleaning it on its own gives
        // the same as cleaning the whole, since the part before holds alphabet characters only.
        std::string_view rest = text.substr(start);
        rest = rest.substr(0, rest.find('\0'));
        if (detail::NeedsCleaning(rest))
            decoder.DecodeCleaned(rest);
        else
            decoder.DecodeGroups(reinterpret_cast<const unsigned char *>(rest.data()), rest.size(), true);
    }
    const auto written = static_cast<std::size_t>(decoder.end() - reinterpret_cast<unsigned char *>(out.data()));
    out.resize(written > decoder.dropped() ? written - decoder.dropped() : 0);
}

ByteSet Base64Decode(const AnsiText &text)
{
    std::string out;
    try {
        Base64DecodeInto(text.bytes(), out);
    } catch (const std::bad_alloc &) {
        FatalAllocationError((text.bytes().size() + 3) / 4 * 3);
    }
    return ByteSet(std::move(out));
}

} // namespace korimbo
