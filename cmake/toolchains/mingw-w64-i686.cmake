# Cross-compiling the Windows build with Debian's MinGW-w64 (posix threads) for i686.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QX_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
