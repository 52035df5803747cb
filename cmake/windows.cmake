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
add_subdirectory(settings)
add_subdirectory(drawing)
# The form models, and with them the native views (dialogs/win32/).
add_subdirectory(dialogs)
add_subdirectory(controller)
add_subdirectory(tests/support)
add_subdirectory(tests/host)
add_subdirectory(tests/platform)
add_subdirectory(tests/text)
add_subdirectory(tests/settings)
add_subdirectory(tests/dialogs)


# qx_add_macro_dll(NAME OUTPUT_NAME NAME LIBS ...): a macro library as the host loads it: the
# entry point of host/main_entry.cpp bound by name at load, exporting Main and nothing else
# (host/win32/quillex.def), with the runtime linked in.
function(qx_add_macro_dll name)
  cmake_parse_arguments(D "" "OUTPUT_NAME" "SOURCES;LIBS" ${ARGN})
  add_library(${name} SHARED ${PROJECT_SOURCE_DIR}/host/main_entry.cpp
    ${PROJECT_SOURCE_DIR}/host/win32/quillex.def ${D_SOURCES})
  target_link_libraries(${name} PRIVATE ${D_LIBS} qx_binding qx_state)
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${D_OUTPUT_NAME})
  target_link_options(${name} PRIVATE -Wl,--no-undefined)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    # Main is stdcall on x86 (Main@16); the definition file exports it as plain "Main".
    target_link_options(${name} PRIVATE -Wl,--enable-stdcall-fixup)
  endif()
endfunction()

# qx_add_dll_check(NAME DLL): a test that reads the DLL's export and import tables with the
# target's objdump: exactly the export "Main", and only DLLs that every Windows has.
find_program(QX_OBJDUMP NAMES ${QX_MINGW_TRIPLET}-objdump REQUIRED)
function(qx_add_dll_check name dll)
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -DDLL=${dll} -DOBJDUMP=${QX_OBJDUMP}
            -P ${PROJECT_SOURCE_DIR}/cmake/check_dll.cmake)
  set_tests_properties(${name} PROPERTIES LABELS "windows;static" TIMEOUT 60)
endfunction()

# The macro itself, once the toolkit-free controller and the native views are part of the build.
if(TARGET qx_controller AND TARGET qx_dialogs_win32)
  qx_add_macro_dll(quillex OUTPUT_NAME Quillex LIBS qx_controller qx_dialogs_win32)
  qx_add_dll_check(QuillexDll.ExportsOnlyMainAndNeedsOnlySystemDlls $<TARGET_FILE:quillex>)
  install(TARGETS quillex RUNTIME DESTINATION . COMPONENT dll LIBRARY DESTINATION . COMPONENT dll)
endif()
include(${PROJECT_SOURCE_DIR}/cmake/package_windows.cmake)
add_subdirectory(tests/host/win32)

# The Windows test host that runs the scenario files (cadhost.exe): a block of its own.
include(${PROJECT_SOURCE_DIR}/cmake/windows_cadhost.cmake)
