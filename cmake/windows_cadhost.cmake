# The Windows test host: cadhost's toolkit-free rooms built for Windows as cadhost.exe, which
# loads a macro DLL, binds it by name and runs the scenario files with the same transcript as
# on Linux. Included from cmake/windows.cmake once the macro's libraries are defined.
#
# x64 only: the host functions are plain C functions here, while an x86 host must export them
# __stdcall, and nothing x86 can run on this machine to test that.
if(NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
  return()
endif()

# nlohmann/json is header-only: its folder alone is put on the include path, never the build
# machine's whole /usr/include.
find_path(QX_NLOHMANN_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
  NO_DEFAULT_PATH REQUIRED)
set(qx_nlohmann_staging ${CMAKE_BINARY_DIR}/nlohmann_json_include)
file(MAKE_DIRECTORY ${qx_nlohmann_staging})
file(CREATE_LINK ${QX_NLOHMANN_INCLUDE}/nlohmann ${qx_nlohmann_staging}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${qx_nlohmann_staging})

add_subdirectory(cadhost)

# The drawing side of a run, against the stand-in host's real drawing in process.
add_library(qx_cadhost_slots STATIC ${PROJECT_SOURCE_DIR}/tests/support/cadhost_slots.cpp)
target_include_directories(qx_cadhost_slots PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(qx_cadhost_slots PUBLIC qx_binding cadhost_driver cadhost_exports)
add_subdirectory(tests/drawing)

# Scenario files through cadhost.exe under Wine. The macro's native windows need a display,
# so these run under Xvfb (scripts/win32-gui-tests.sh). A scenario passes when cadhost exits 0;
# a transcript scenario must also print the lines it names, as on Linux.
function(qx_add_windows_scenario name macro scenario)
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -DWINE_RUN=${CMAKE_CROSSCOMPILING_EMULATOR}
            -DCADHOST=$<TARGET_FILE:cadhost> -DMACRO=$<TARGET_FILE:${macro}>
            -DSCENARIO=${scenario}
            -P ${PROJECT_SOURCE_DIR}/tests/scenarios/win32/expect_scenario.cmake)
  set_tests_properties(${name} PROPERTIES LABELS "windows;gui" TIMEOUT 120)
endfunction()

# The probe macros carry the host's own tests until Quillex.dll links: the plain probe ends
# every invocation, the dialog probe runs native dialogs through the modal-dialog hook.
foreach(probe probe dialog_probe review_probe)
  file(GLOB qx_probe_scenarios CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/tests/scenarios/win32/${probe}/*.scn)
  foreach(file ${qx_probe_scenarios})
    get_filename_component(name ${file} NAME_WE)
    qx_add_windows_scenario(WindowsScenario.${probe}.${name} ${probe}_macro ${file})
  endforeach()
endforeach()

# The drawing is saved where --save says at the end of a run.
add_test(NAME WindowsScenario.SavesTheDrawingWhereTheCommandLineSays
  COMMAND ${CMAKE_COMMAND} -DWINE_RUN=${CMAKE_CROSSCOMPILING_EMULATOR}
          -DCADHOST=$<TARGET_FILE:cadhost> -DMACRO=$<TARGET_FILE:probe_macro>
          -DSCENARIO=${PROJECT_SOURCE_DIR}/tests/scenarios/win32/probe/runs.scn
          -DSAVE=${CMAKE_CURRENT_BINARY_DIR}/saved-by-option.json
          -P ${PROJECT_SOURCE_DIR}/tests/scenarios/win32/expect_scenario.cmake)
set_tests_properties(WindowsScenario.SavesTheDrawingWhereTheCommandLineSays PROPERTIES
  LABELS "windows;unit" TIMEOUT 120)

# A file that is not a DLL is refused with a message (headless: no window is made).
add_test(NAME WindowsScenario.RefusesAFileThatIsNotADll
  COMMAND ${CMAKE_COMMAND} -DWINE_RUN=${CMAKE_CROSSCOMPILING_EMULATOR}
          -DCADHOST=$<TARGET_FILE:cadhost>
          -DMACRO=${PROJECT_SOURCE_DIR}/tests/scenarios/win32/not_a_dll.scn
          -DSCENARIO=${PROJECT_SOURCE_DIR}/tests/scenarios/win32/not_a_dll.scn
          -P ${PROJECT_SOURCE_DIR}/tests/scenarios/win32/expect_scenario.cmake)
set_tests_properties(WindowsScenario.RefusesAFileThatIsNotADll PROPERTIES
  LABELS "windows;unit" TIMEOUT 120)

# The macro's own scenarios, the same files as on Linux: those that must pass, those whose
# transcript must hold named lines, and those that must fail with a given message. One checks
# a size that follows the Qt view's font metrics, which the native view measures with GDI.
set(QX_QT_METRICS_SCENARIOS dialog_size_memory)
if(TARGET quillex)
  foreach(group "" transcript failing)
    file(GLOB qx_scenarios CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/scenarios/${group}/*.scn)
    set(prefix WindowsScenario.quillex)
    if(group)
      set(prefix ${prefix}.${group})
    endif()
    foreach(file ${qx_scenarios})
      get_filename_component(name ${file} NAME_WE)
      if(NOT group AND name IN_LIST QX_QT_METRICS_SCENARIOS)
        continue()
      endif()
      qx_add_windows_scenario(${prefix}.${name} quillex ${file})
    endforeach()
  endforeach()
endif()

# The host's file operations on Windows, on real files (headless).
qx_add_unit_test(cadhost_formats_win32_test
  SOURCES ${PROJECT_SOURCE_DIR}/tests/cadhost/formats/file_replace_win32_test.cpp
  LIBS cadhost_formats)
