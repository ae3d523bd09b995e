# MinGW-w64 cross compilation (posix thread model) for the architecture the
# including toolchain file names in quorvel_mingw_arch.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${quorvel_mingw_arch})
set(CMAKE_C_COMPILER ${quorvel_mingw_arch}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${quorvel_mingw_arch}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${quorvel_mingw_arch}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${quorvel_mingw_arch}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests of the Windows builds run under Wine; see cmake/wine-run.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
