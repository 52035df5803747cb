# The Windows build: the macro as Quillex.dll and the toolkit-free unit tests, run under Wine.
# Included from the top-level CMakeLists.txt when the target system is Windows.

# The runtime (libstdc++, libgcc, winpthread) is linked in, so the DLL and the tests need only
# the system's own DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)
# Unicode Win32 API throughout; no min/max macros; the lean Windows headers.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)

# GCC 12 reports false overlaps inside std::string's own copies when it inlines them at -O3
# (GCC bug 105651); the warning says nothing about our code.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()

enable_testing()

# GoogleTest from Debian's sources, built for the target like the rest.
set(QX_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (Debian: googletest)")
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${QX_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
if(NOT TARGET GTest::gtest)
  add_library(GTest::gtest ALIAS gtest)
  add_library(GTest::gtest_main ALIAS gtest_main)
  add_library(GTest::gmock ALIAS gmock)
endif()

# qx_add_unit_test(NAME SOURCES ... LIBS ...): one CTest test per program. Starting Wine costs
# about a second, so a program's cases run in one start instead of one start each.
function(qx_add_unit_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES LABELS "windows;unit" TIMEOUT 300)
endfunction()

add_subdirectory(host)
add_subdirectory(platform)
add_subdirectory(state)
add_subdirectory(text)
add_subdirectory(tests/host)
add_subdirectory(tests/platform)
add_subdirectory(tests/text)

# The native views of the dialogs and their tests (the ones that show windows run under Xvfb).
add_subdirectory(dialogs/win32)
add_subdirectory(tests/dialogs/win32)
