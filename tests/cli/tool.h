#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "process.h"

// Running the korimbo-convert binary that the build made.
namespace korimbo::testing {

// The environment every run gets unless a test says otherwise: a UTF-8 locale. A copy per test
// file (not inline): mingw's 32-bit linker warns about the sizes of a shared one.
const std::vector<std::string> kUtf8Locale{"LC_ALL=C.UTF-8"};

inline ProcessResult RunTool(const std::vector<std::string> &args, std::string_view input = {},
                             const std::vector<std::string> &environment = kUtf8Locale)
{
    return RunProcess(KORIMBO_CONVERT_PATH, args, input, environment);
}

// The text's lines, each without its LF; a text that ends with LF has no empty line after it.
inline std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// "转换失败" in UTF-8.
inline constexpr std::string_view kFailed = "\xE8\xBD\xAC\xE6\x8D\xA2\xE5\xA4\xB1\xE8\xB4\xA5";

// An address and its four forms, in UTF-8, under the default GBK code page.
struct Example
{
    std::string real, thunder, flashget, qqdl;
};

inline const std::vector<Example> kExamples{
    {"http://a/b.rar", "thunder://QUFodHRwOi8vYS9iLnJhclpa",
     "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&1926", "qqdl://aHR0cDovL2EvYi5yYXI="},
    // "中" is D6 D0 in GBK.
    {"http://a/\xE4\xB8\xAD.rar", "thunder://QUFodHRwOi8vYS/W0C5yYXJaWg==",
     "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL9bQLnJhcltGTEFTSEdFVF0=&1926", "qqdl://aHR0cDovL2Ev1tAucmFy"},
};

} // namespace korimbo::testing
