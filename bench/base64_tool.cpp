// korimbo-base64 encode|decode IN OUT: writes the Base64 text of the file IN, or the bytes that
// the Base64 text in IN decodes to, into OUT. Made for timing the codec on large files.
//
// The file goes through the codec in pieces of 96 KiB so that the buffers are reused instead of
// fresh memory being touched for the whole file. The output is the same as that of one call on
// the whole file: the encoder's pieces are whole groups of three bytes, and a piece of Base64 text
// is decoded on its own only when it and the four characters after it are all alphabet characters
// (so no cleaning, no early group end and no lost bytes can reach across the cut). The first piece
// that is not like that is decoded together with the rest of the file, by one call.
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "convert/base64.h"

namespace {

// A multiple of 3 and of 4; pieces of this size keep the buffers in the cache, and measured fastest.
constexpr std::size_t kPiece = std::size_t{96} << 10;

using File = std::unique_ptr<std::FILE, int (*)(std::FILE *)>;

struct Files
{
    const char *inName;
    const char *outName;
    std::FILE *in;
    std::FILE *out;
};

// Reads up to `count` bytes of the input into `at`; the number read, or -1 after a read error.
long long Read(Files &files, char *at, std::size_t count)
{
    const std::size_t got = std::fread(at, 1, count, files.in);
    if (std::ferror(files.in)) {
        std::fprintf(stderr, "korimbo-base64: cannot read %s: %s\n", files.inName, std::strerror(errno));
        return -1;
    }
    return static_cast<long long>(got);
}

bool Write(Files &files, std::string_view bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), files.out) != bytes.size()) {
        std::fprintf(stderr, "korimbo-base64: cannot write %s: %s\n", files.outName, std::strerror(errno));
        return false;
    }
    return true;
}

bool Encode(Files &files)
{
    std::string piece(kPiece, '\0');
    std::string text; // kept from piece to piece
    for (;;) {
        const long long got = Read(files, piece.data(), kPiece);
        if (got < 0)
            return false;
        const std::string_view data(piece.data(), static_cast<std::size_t>(got));
        korimbo::Base64EncodeInto(data, text);
        if (!Write(files, text))
            return false;
        if (data.size() < kPiece)
            return true;
    }
}

bool AllAlphabet(std::string_view text)
{
    static const auto kIsAlphabet = [] {
        std::array<bool, 256> table{};
        for (const char c : std::string_view(korimbo::kBase64Alphabet))
            table[static_cast<unsigned char>(c)] = true;
        return table;
    }();
    for (const char c : text) {
        if (!kIsAlphabet[static_cast<unsigned char>(c)])
            return false;
    }
    return true;
}

// The decoder reads text: a zero byte would end it, so refuse rather than lose the rest.
bool HasZeroByte(Files &files, std::string_view text)
{
    if (text.find('\0') == std::string_view::npos)
        return false;
    std::fprintf(stderr, "korimbo-base64: %s holds a zero byte; Base64 text has none\n", files.inName);
    return true;
}

bool DecodeWhole(Files &files, std::string text)
{
    for (;;) {
        const std::size_t before = text.size();
        if (before > 0x7fffffff) {
            std::fprintf(stderr, "korimbo-base64: %s is too large\n", files.inName);
            return false;
        }
        text.resize(before + kPiece);
        const long long got = Read(files, text.data() + before, kPiece);
        if (got < 0)
            return false;
        text.resize(before + static_cast<std::size_t>(got));
        if (HasZeroByte(files, std::string_view(text).substr(before)))
            return false;
        if (static_cast<std::size_t>(got) < kPiece) {
            std::string bytes;
            korimbo::Base64DecodeInto(text, bytes);
            return Write(files, bytes);
        }
    }
}

bool Decode(Files &files)
{
    // `text` holds the `kept` characters left over from the piece before, then a new piece.
    std::string text(kPiece + 8, '\0');
    std::string bytes; // kept from piece to piece
    std::size_t kept = 0;
    for (;;) {
        const long long got = Read(files, text.data() + kept, kPiece);
        if (got < 0)
            return false;
        const std::string_view piece(text.data(), kept + static_cast<std::size_t>(got));
        if (HasZeroByte(files, piece.substr(kept)))
            return false;
        if (static_cast<std::size_t>(got) < kPiece) {
            korimbo::Base64DecodeInto(piece, bytes);
            return Write(files, bytes);
        }
        const std::size_t cut = (piece.size() - 4) / 4 * 4;
        if (!AllAlphabet(piece.substr(0, cut + 4)))
            return DecodeWhole(files, std::string(piece));
        korimbo::Base64DecodeInto(piece.substr(0, cut), bytes);
        if (!Write(files, bytes))
            return false;
        kept = piece.size() - cut;
        std::memmove(text.data(), text.data() + cut, kept);
    }
}

int Usage()
{
    std::fputs("usage: korimbo-base64 encode|decode IN OUT\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4)
        return Usage();
    const std::string_view mode = argv[1];
    if (mode != "encode" && mode != "decode")
        return Usage();
    const File in(std::fopen(argv[2], "rb"), &std::fclose);
    if (!in) {
        std::fprintf(stderr, "korimbo-base64: cannot open %s: %s\n", argv[2], std::strerror(errno));
        return 1;
    }
    const File out(std::fopen(argv[3], "wb"), &std::fclose);
    if (!out) {
        std::fprintf(stderr, "korimbo-base64: cannot create %s: %s\n", argv[3], std::strerror(errno));
        return 1;
    }
    Files files{argv[2], argv[3], in.get(), out.get()};
    if (!(mode == "encode" ? Encode(files) : Decode(files)))
        return 1;
    if (std::fflush(out.get()) != 0 || std::ferror(out.get())) {
        std::fprintf(stderr, "korimbo-base64: cannot write %s: %s\n", argv[3], std::strerror(errno));
        return 1;
    }
    return 0;
}
