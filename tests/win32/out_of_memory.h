#pragma once

#include <string>

#include "driver.h"

namespace korimbo::e2e {

// Pastes a 512 Ki-character address, loads the failing allocator (a DLL that makes the program's
// allocations of 1 MiB or more fail) into the program and clicks 转换: the conversion's first copy
// of the text cannot be had, so the program shows the error box naming the failed allocation and
// ends with exit code -1.
void CheckOutOfMemory(Program &program, const std::wstring &failingMallocDll);

} // namespace korimbo::e2e
