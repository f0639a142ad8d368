#pragma once

#include "ui/logic/link_layout.h"

namespace korimbo::test {

// Every byte is 6 pixels wide in every style; a line is 14 pixels high.
class FixedMeasurer : public TextMeasurer
{
  public:
    int TextWidth(std::string_view gbk, TextStyle) const override { return 6 * static_cast<int>(gbk.size()); }
    int LineHeight() const override { return 14; }
};

} // namespace korimbo::test
