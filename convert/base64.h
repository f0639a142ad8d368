#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "convert/bytes.h"
#include "convert/text.h"

// The Base64 text inside the download links. The codec runs on the fastest instruction set the
// processor has (codec_path.h); every path gives the same results.
namespace korimbo {

// The 64 characters of the alphabet; a character's value is its 0-based position.
inline constexpr char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Standard Base64 with "=" padding and no line breaks; the empty text for no bytes.
AnsiText Base64Encode(const ByteSet &data);

// Tolerant decoding; never fails:
// - ASCII and full-width spaces and CR LF pairs are removed first (a lone CR or LF stays);
// - the text is read in groups of four characters, missing characters at the end reading as "A";
// - a group ends at its first character outside the alphabet; that character's raw byte and the
//   values the previous group left in the later slots make up the group's three bytes;
// - when the last group ended early, the output loses 4, 3, 2 or 1 bytes for an end at its
//   1st, 2nd, 3rd or 4th character.
// Calls ProcessPendingEvents once per group where groups are decoded one at a time (short texts,
// and the groups around anything but alphabet characters), and once per block of up to 1024
// groups decoded together.
ByteSet Base64Decode(const AnsiText &text);

// The length of the Base64 text of `size` bytes: 4 characters per started group of three.
constexpr std::size_t Base64EncodedLength(std::size_t size)
{
    return (size + 2) / 3 * 4;
}

// Base64Encode of `bytes` into `out`, replacing what it held; `out` keeps its memory from call to
// call. Throws std::bad_alloc when `out` cannot grow to the text's length.
void Base64EncodeInto(std::string_view bytes, std::string &out);

// Base64Decode of `text`, which ends at its first zero byte if it holds one, into `out`, replacing
// what it held; `out` keeps its memory from call to call. Throws std::bad_alloc when `out` cannot
// grow to the output's length. The text may be longer than 2^31 - 1 bytes.
void Base64DecodeInto(std::string_view text, std::string &out);

namespace detail {
// The most bytes that Base64EncodeShort takes, and the room it needs in its buffer beyond them.
inline constexpr std::size_t kShortEncode = 512;
inline constexpr std::size_t kShortEncodeRoom = 28;

// Base64EncodeTo for at most kShortEncode bytes at the start of `buffer`, which has room for
// kShortEncodeRoom bytes more that it overwrites: the bytes are padded to whole blocks, so that
// one call of the kernels encodes all of them.
unsigned char *Base64EncodeShort(unsigned char *buffer, std::size_t n, unsigned char *dst);

// Writes the Base64 text of src[0..n) with its padding to dst, Base64EncodedLength(n) characters;
// returns the end of what it wrote.
unsigned char *Base64EncodeTo(const unsigned char *src, std::size_t n, unsigned char *dst);
} // namespace detail

} // namespace korimbo
