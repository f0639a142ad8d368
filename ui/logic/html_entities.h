#pragma once

#include <string>
#include <string_view>

// The four character references that link-box HTML knows. Bytes are GBK, and working byte by byte
// is safe: & " < > are below 0x40, and a GBK second byte runs from 0x40 to 0xFE, so each of them is
// always a character of its own, and so is every byte of a reference that follows an "&".
namespace korimbo {

// The text with & " < > written as &amp; &quot; &lt; &gt;, so it stays literal inside a quoted
// attribute value or between tags.
std::string EscapeHtml(std::string_view text);

// The text with exactly &amp; &quot; &lt; &gt; turned back into & " < >; every other "&" is kept
// as it stands, so "==&1926" comes back unchanged.
std::string UnescapeHtml(std::string_view text);

} // namespace korimbo
