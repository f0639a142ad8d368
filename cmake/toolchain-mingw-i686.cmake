# Cross build for 32-bit Windows with Debian's mingw-w64 compiler (the posix threads variant):
#   cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake
# Programs link statically and need no DLL beyond Windows' own; tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KORIMBO_MINGW_TRIPLET i686-w64-mingw32)
set(KORIMBO_WINE_ARCH win32)
# Doubles computed in SSE2 registers, as on x86-64: the x87 registers keep 64-bit mantissas
# between operations (IntegerDivide would round 1940.3062814008379 / 646.768760466946 down to 2
# where every other build, which rounds the quotient to a double first, gives 3). Every x86
# processor since about 2003 has SSE2, and Windows 8 and later require it.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# Programs may use up to 4 GB of address space on 64-bit Windows, not only the lower 2 GB.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--large-address-aware")
