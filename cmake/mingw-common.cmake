# The part of the mingw-w64 toolchain files that is the same for every processor. Expects
# KORIMBO_MINGW_TRIPLET (the compiler's target) and KORIMBO_WINE_ARCH (win32 or win64).
set(CMAKE_C_COMPILER ${KORIMBO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORIMBO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KORIMBO_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KORIMBO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and winpthreads go into each executable: no DLL beyond Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Whatever runs a built program (ctest, test discovery) goes through Wine, with a prefix in the
# build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run ${CMAKE_BINARY_DIR}/wine-prefix
                                  ${KORIMBO_WINE_ARCH})
