#pragma once

#include <string>

#include "driver.h"

// The end-to-end scenarios beyond layout and conversion.
namespace korimbo::e2e {

// Tab and Shift+Tab follow the cycle; Enter and F1 change nothing; the focus comes back after
// another window was active.
void CheckKeys(const Program &program);

// Closes the window (Esc) while a long link is being decoded: the conversion stops quietly and
// the program ends with exit code 0 (checked by the caller).
void CloseDuringConversion(const Program &program);

// Starts and closes the program `runs` times; prints each time from start to window shown, then
// the best and the median, in milliseconds.
int MeasureStartup(const std::wstring &exe, int runs);

// Converts the worked example, puts the pointer over 直接下载, prints "ready", and waits for a line (or the end) on
// standard input.
void ShowExample(const Program &program);

} // namespace korimbo::e2e
