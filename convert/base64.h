#pragma once

#include "convert/bytes.h"
#include "convert/text.h"

// The Base64 text inside the download links.
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
// Calls ProcessPendingEvents once per group.
ByteSet Base64Decode(const AnsiText &text);

} // namespace korimbo
