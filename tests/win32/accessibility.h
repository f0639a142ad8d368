#pragma once

#include <string>

#include "driver.h"

namespace korimbo::e2e {

// What a screen reader gets through MSAA (AccessibleObjectFromWindow): the edit boxes named by
// their labels, the link boxes as links named by their text with the target as value, and a link
// box's default action opening what a click opens (the recorder stands in for the handler).
void CheckAccessibility(const Program &program, const std::wstring &recorderExe, const std::wstring &recordFile);

} // namespace korimbo::e2e
