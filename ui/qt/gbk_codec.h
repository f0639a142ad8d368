#pragma once

#include <string>
#include <string_view>

#include <QString>

// Text crossing between Qt's controls (Unicode) and the program (GBK, code page 936 as Windows
// maps it: 0x80 is the euro sign).
namespace korimbo {

// The text as GBK bytes; a character GBK cannot hold becomes "?".
std::string ToGbk(const QString &text);

// The GBK bytes as text; a byte sequence that is not GBK, including a lead byte at the very end,
// becomes U+FFFD.
QString FromGbk(std::string_view gbk);

} // namespace korimbo
