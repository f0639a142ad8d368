#pragma once

// Failed allocations in the Windows window program. An exception cannot travel from a window
// procedure back through the system's frames around it (mingw's 32-bit exceptions cannot unwind
// through user32), so std::bad_alloc would end the program with no report. This file replaces the
// program's global operator new: once the window program has switched it on, a failed allocation
// is a fatal runtime error wherever it happens, reported like every other one.
namespace korimbo {

// From now on, a failed allocation through operator new (and so in every standard container)
// calls FatalAllocationError with the number of bytes asked for: the error box "分配 N 字节内存失败!",
// then exit code -1. The nothrow forms of new still return nullptr. Before this is called, and in
// programs that never call it, a failed allocation throws std::bad_alloc as usual.
void MakeFailedAllocationsFatal();

} // namespace korimbo
