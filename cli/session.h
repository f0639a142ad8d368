#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/charset.h"
#include "cli/options.h"
#include "cli/output.h"
#include "convert/address.h"

// Converting the inputs of one run of korimbo-convert, one at a time, and printing their records
// and messages.
namespace korimbo {

// The longest text, in the links' code page, whose forms all fit the core's 2^31 - 1 bytes: its
// FlashGet link is the longest, 16 bytes plus the Base64 text of 20 bytes more than the address.
// An input below it can still be too large for the memory the program can have (a 32-bit program
// has no more than 2 to 4 GiB for everything): it is reported as such.
inline constexpr std::size_t kMaxAddressBytes = (0x7fffffff - 16) / 4 * 3 - 20;

// The message for an input that the program could not get the memory to convert.
inline constexpr std::string_view kOutOfMemory = "too long to convert in this program's memory";

// How messages name an input: "line 5", "argument 2". The text is made only for a message.
struct InputName
{
    std::string_view kind;
    unsigned long long number = 0;

    std::string text() const { return std::string(kind) + " " + std::to_string(number); }
};

class ConvertSession
{
  public:
    // Keeps references to all arguments.
    ConvertSession(const ConvertOptions &options, LinkCharsets &charsets, std::FILE *out, std::FILE *err);

    // Converts one input given in the locale's encoding and prints its record. An input that
    // cannot be converted, whose result cannot be shown, or that needs more memory than the
    // program can have, prints nothing and is reported; an empty or unrecognised one prints its
    // failure texts and is noted. `where` names the input in messages ("argument 2", "line 5").
    void Convert(std::string_view input, InputName where);

    // Writes "korimbo-convert: WHERE: PROBLEM" on standard error, after flushing the output so
    // that both keep their order; the run then ends with status 1.
    void Report(std::string_view where, std::string_view problem);
    void Report(InputName where, std::string_view problem) { Report(where.text(), problem); }

    // True until an input could not be converted or was empty or unrecognised.
    bool allConverted() const noexcept { return allConverted_; }

    // Writes out what the output holds; false once writing it has failed.
    bool Flush();

    // The errno of the first failed write of the output, or 0.
    int writeError() const noexcept { return out_.error(); }

  private:
    // Everything of one input that can fail or needs memory, before anything is printed.
    bool Prepare(std::string_view input, InputName where);
    void Print(std::string_view input);
    // Converts form `kind` into the locale's encoding; false, after a report, when it cannot be shown.
    bool Show(OutputKind kind, InputName where);
    bool Printed(OutputKind kind) const;
    std::string DescribeInputFault(const CharsetFault &fault) const;
    // Gives back the memory of the buffers, after an input that needed too much.
    void ReleaseBuffers();

    const ConvertOptions &options_;
    LinkCharsets &charsets_;
    OutputWriter out_;
    std::FILE *err_;
    bool firstBlock_ = true;
    bool allConverted_ = true;

    // One input at a time; the buffers keep their memory from input to input.
    std::string linkText_;                 // the input in the links' code page, when it needs converting
    std::string decoded_;                  // the decoded bytes of a link
    std::string link_;                     // a built link, one form after another while printing
    std::array<std::string, 4> held_;      // forms built and converted before printing, when links need converting
    std::array<std::string, 4> shownRoom_; // forms converted into the locale's encoding
    AddressSource source_;
    bool inputAsIs_ = false;                         // the input is the same bytes in both charsets (ASCII)
    enum { Unknown, Yes, No } inputBreak_ = Unknown; // whether the input holds a line break
    std::array<std::string_view, 4> shown_;
    std::array<bool, 4> builtLater_{}; // built into link_ while printing, shown as they are
};

} // namespace korimbo
