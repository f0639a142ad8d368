# Cross build for 64-bit Windows, made like toolchain-mingw-i686.cmake. The programs we ship are
# 32-bit; this build is for running the tests under Wine on machines that cannot run 32-bit code.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(KORIMBO_MINGW_TRIPLET x86_64-w64-mingw32)
set(KORIMBO_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
