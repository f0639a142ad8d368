// The Base64 codec on arbitrary bytes, on every path this processor has: the encoder's text has the
// standard length and alphabet and is what the encoding steps give, and decodes back to the bytes;
// the decoder, on the same bytes taken as text, gives what the decoding steps give when followed one
// character at a time, and calls the events hook at least once per 1024 groups and at most once
// per group.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/base64.h"
#include "convert/codec_path.h"
#include "convert/runtime.h"
#include "fuzz_check.h"
#include "reference.h"

namespace {

using namespace korimbo;
using fuzz::Check;

long hookCalls = 0;

void CountCall()
{
    ++hookCalls;
}

void CheckEncoding(std::string_view data)
{
    const AnsiText encoded = Base64Encode(ByteSet(data));
    const std::string_view text = encoded.bytes();
    Check(text.size() == (data.size() + 2) / 3 * 4, "encoded length is 4 * ceil(n / 3)");
    Check(encoded == reference::Encode(ByteSet(data)), "encoder agrees with the encoding steps");
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
    const ByteSet expected = reference::Decode(text, groups);
    hookCalls = 0;
    const ByteSet decoded = Base64Decode(text);
    Check(decoded == expected, "decoder agrees with the decoding steps");
    Check(hookCalls <= groups && hookCalls >= (groups + 1023) / 1024,
          "events hook called at least once per 1024 groups and at most once per group");
    std::string into;
    Base64DecodeInto(data, into); // ends at the first zero byte, as the text does
    Check(into == expected.bytes(), "decoding into a buffer agrees with the decoding steps");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    SetPendingEventsHook(&CountCall);
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    for (const CodecPath path : AvailableCodecPaths()) {
        UseCodecPath(path);
        CheckEncoding(bytes);
        CheckDecoding(bytes);
    }
    return 0;
}
