#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "convert/address.h"

// The records that korimbo-convert prints for each input, as text or as JSON. All texts are
// already in the locale's encoding.
namespace korimbo {

// The form's name on the command line, as a text label and as a JSON key: "real", "thunder",
// "flashget" or "qqdl".
std::string_view FormName(OutputKind kind);

// The form as messages call it: "real address", "Thunder link", ...
std::string_view FormDescription(OutputKind kind);

// Appends one input's text record: the line of form `only`, or, when `only` is nullopt, the
// block of four labelled lines, preceded by an empty line unless it is the first block.
void AppendTextRecord(std::string &out, const std::array<std::string, 4> &forms, std::optional<OutputKind> only,
                      bool firstBlock);

// Appends one input's JSON object and its line end, with the keys input, ok, real, thunder,
// flashget and qqdl in this order.
void AppendJsonRecord(std::string &out, std::string_view input, bool ok, const std::array<std::string, 4> &forms);

// Appends the text as a JSON string: quoted, with '"', '\' and the control characters below
// 0x20 escaped, every other byte as it is.
void AppendJsonString(std::string &out, std::string_view text);

} // namespace korimbo
