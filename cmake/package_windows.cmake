# The Windows package: one zip with Quillex.dll for x86 and for x64, each in a folder of its
# own, and the install note for the CAD program's macro folder at the top. `cmake --install`
# of either build puts its DLL (component "dll") in the prefix; the zip takes both builds, so
# it is made from the x64 build once the x86 build beside it is built too
# (scripts/package.sh does both).
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/INSTALL.txt DESTINATION . COMPONENT note)
if(NOT CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  return()
endif()

set(QX_X86_BUILD_DIR ${CMAKE_BINARY_DIR}/../win32 CACHE PATH
    "The x86 build whose Quillex.dll the x64 build's package takes")
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Quillex)
set(CPACK_PACKAGE_VENDOR Pellworth)
set(CPACK_PACKAGE_FILE_NAME Quillex-${PROJECT_VERSION}-windows)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${QX_X86_BUILD_DIR};Quillex;dll;/x86"
    "${CMAKE_BINARY_DIR};Quillex;dll;/x64"
    "${CMAKE_BINARY_DIR};Quillex;note;/")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
