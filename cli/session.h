#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/charset.h"
#include "cli/options.h"
#include "convert/address.h"

// Converting the inputs of one run of korimbo-convert, one at a time, and printing their records
// and messages.
namespace korimbo {

// The longest text, in the links' code page, whose forms all fit the core's 2^31 - 1 bytes: its
// FlashGet link is the longest, 16 bytes plus the Base64 text of 20 bytes more than the address.
inline constexpr std::size_t kMaxAddressBytes = (0x7fffffff - 16) / 4 * 3 - 20;

class ConvertSession
{
  public:
    // Keeps references to all arguments.
    ConvertSession(const ConvertOptions &options, LinkCharsets &charsets, std::FILE *out, std::FILE *err);

    // Converts one input given in the locale's encoding and prints its record. An input that
    // cannot be converted, or whose result cannot be shown, prints nothing and is reported; an
    // empty or unrecognised one prints its failure texts and is noted. `where` names the input
    // in messages ("argument 2", "line 5").
    void Convert(std::string_view input, std::string_view where);

    // Writes "korimbo-convert: WHERE: PROBLEM" on standard error, after flushing the output so
    // that both keep their order; the run then ends with status 1.
    void Report(std::string_view where, std::string_view problem);

    // True until an input could not be converted or was empty or unrecognised.
    bool allConverted() const noexcept { return allConverted_; }

    // Writes out what the output holds; false once writing it has failed.
    bool Flush();

    // The errno of the first failed write of the output, or 0.
    int writeError() const noexcept { return writeError_; }

  private:
    // Converts the needed forms into the locale's encoding; false when one cannot be shown.
    bool ShowForms(const AddressForms &forms, std::string_view where);
    std::string DescribeInputFault(const CharsetFault &fault) const;
    void Write(std::string_view text);

    const ConvertOptions &options_;
    LinkCharsets &charsets_;
    std::FILE *out_;
    std::FILE *err_;
    std::string linkText_;
    std::array<std::string, 4> shown_;
    std::string record_;
    bool firstBlock_ = true;
    bool allConverted_ = true;
    int writeError_ = 0;
};

} // namespace korimbo
