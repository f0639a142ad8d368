// The Base64 codec on arbitrary bytes: the encoder's text has the standard length and alphabet and
// decodes back to the bytes; the decoder, on the same bytes taken as text, gives what the decoding
// steps give when followed one character at a time, and calls the events hook once per group.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/base64.h"
#include "convert/runtime.h"
#include "fuzz_check.h"

namespace {

using namespace korimbo;
using fuzz::Check;

long hookCalls = 0;

void CountCall()
{
    ++hookCalls;
}

// The decoder as its steps read: clean the text, then take groups of four characters, a missing
// character reading as "A", a group ending at its first character outside the alphabet with that
// character's raw byte in its slot, and the output shortened after a last group that ended early.
std::string ReferenceDecode(const AnsiText &text, long &groups)
{
    const AnsiText cleaned = ReplaceSubtext(RemoveAllSpaces(text), "\r\n");
    const std::string_view t = cleaned.bytes();
    const std::string_view alphabet = kBase64Alphabet;
    const std::size_t n = t.size();
    groups = static_cast<long>(n / 4 + (n % 4 != 0 ? 1 : 0));
    unsigned slots[4] = {0, 0, 0, 0};
    int stop = 0;
    std::string out;
    for (long g = 0; g < groups; ++g) {
        stop = 5;
        for (std::size_t k = 0; k < 4; ++k) {
            const std::size_t position = static_cast<std::size_t>(g) * 4 + k;
            const auto c = static_cast<unsigned char>(position < n ? t[position] : '\0');
            const std::size_t found = c == 0 ? 0 : alphabet.find(static_cast<char>(c));
            if (found == std::string_view::npos) {
                slots[k] = c;
                stop = static_cast<int>(k) + 1;
                break;
            }
            slots[k] = static_cast<unsigned>(found);
        }
        out.push_back(static_cast<char>(((slots[0] * 4) | (slots[1] / 16)) & 0xFF));
        out.push_back(static_cast<char>(((slots[1] * 16) | (slots[2] / 4)) & 0xFF));
        out.push_back(static_cast<char>(((slots[2] * 64) | slots[3]) & 0xFF));
    }
    if (stop < 5) {
        const std::size_t drop = static_cast<std::size_t>(5 - stop);
        out.resize(out.size() > drop ? out.size() - drop : 0);
    }
    return out;
}

void CheckEncoding(std::string_view data)
{
    const AnsiText encoded = Base64Encode(ByteSet(data));
    const std::string_view text = encoded.bytes();
    Check(text.size() == (data.size() + 2) / 3 * 4, "encoded length is 4 * ceil(n / 3)");
    const std::size_t padding = (3 - data.size() % 3) % 3;
    const std::size_t body = text.size() - padding;
    Check(text.substr(0, body).find_first_not_of(kBase64Alphabet) == std::string_view::npos,
          "encoded text holds alphabet characters only, before its padding");
    Check(text.substr(body) == std::string_view("==").substr(0, padding), "padding is one \"=\" per missing byte");
    Check(Base64Decode(AnsiText(text)).bytes() == data, "decoding the encoding gives the bytes back");
}

void CheckDecoding(std::string_view data)
{
    const AnsiText text(data); // ends at the first zero byte
    long groups = 0;
    const std::string expected = ReferenceDecode(text, groups);
    hookCalls = 0;
    const ByteSet decoded = Base64Decode(text);
    Check(decoded.bytes() == expected, "decoder agrees with the decoding steps");
    Check(hookCalls == groups, "events hook called once per group");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    SetPendingEventsHook(&CountCall);
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    CheckEncoding(bytes);
    CheckDecoding(bytes);
    return 0;
}
