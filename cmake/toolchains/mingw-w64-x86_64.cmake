# Cross-compiling the Windows build with Debian's MinGW-w64 (posix threads) for x86_64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QX_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
