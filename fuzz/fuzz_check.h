#pragma once

#include <cstdio>
#include <string_view>

// The fuzz targets' assertion: a broken invariant stops the run with a message, so that libFuzzer
// saves the input as a crash reproducer.
namespace korimbo::fuzz {

// Aborts with `what` on standard error unless `holds`.
inline void Check(bool holds, std::string_view what)
{
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %.*s\n", static_cast<int>(what.size()), what.data());
        __builtin_trap();
    }
}

} // namespace korimbo::fuzz
