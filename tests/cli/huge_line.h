#pragma once

#include <algorithm>
#include <string>

#include "process.h"

namespace korimbo::testing {

// Writes one line of `size` bytes (an address, then 'x' to the end) and its LF to the child,
// made while it is written so that the test holds only one piece of it at a time.
inline void WriteHugeLine(ChildProcess &child, unsigned long long size)
{
    std::string piece(1 << 20, 'x');
    piece.replace(0, 19, "http://example.com/");
    for (unsigned long long left = size; left > 0;) {
        const auto length = static_cast<std::size_t>(std::min<unsigned long long>(left, piece.size()));
        child.Write(std::string_view(piece).substr(0, length));
        left -= length;
        piece.replace(0, 19, 19, 'x');
    }
    child.Write("\n");
}

} // namespace korimbo::testing
