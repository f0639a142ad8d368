#pragma once

#include <string>
#include <string_view>
#include <vector>

// A desktop opener for tests (install it with SetDesktopOpener): records every target it is handed
// instead of opening it.
namespace korimbo::test {

inline std::vector<std::string> opened;

inline void FakeOpener(std::string_view target)
{
    opened.emplace_back(target);
}

} // namespace korimbo::test
