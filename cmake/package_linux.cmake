# The Linux package: cadhost and the macro library it loads, side by side in lib/quillex (cadhost
# loads the libquillex.so beside its own file), cadhost on the path through a link in bin, and
# the documents. `cpack` in the build folder makes the Debian package.
include(GNUInstallDirs)
set(QX_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR}/quillex)
install(TARGETS cadhost RUNTIME DESTINATION ${QX_INSTALL_LIBDIR})
install(TARGETS quillex LIBRARY DESTINATION ${QX_INSTALL_LIBDIR})
# Relative, so that it holds wherever the package is installed.
file(RELATIVE_PATH QX_CADHOST_LINK_TARGET ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${QX_INSTALL_LIBDIR}/cadhost)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/package-links)
file(CREATE_LINK ${QX_CADHOST_LINK_TARGET} ${CMAKE_BINARY_DIR}/package-links/cadhost SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/package-links/cadhost DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES README.md docs/batch.md docs/host-interface.md docs/windows.md
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quillex)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillex)
set(CPACK_PACKAGE_VENDOR Pellworth)
set(CPACK_PACKAGE_CONTACT "Quillex developers <quillex@pellworth.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Text find/replace macro for 2D CAD drawings, with its stand-in host cadhost")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quillex finds the texts of a drawing that contain a search text and changes them: it\n\
replaces the match, changes the case of the whole text, or adds a step to a number in it.\n\
cadhost holds a drawing (JSON or DXF), loads the macro and runs it in a window, from\n\
scripted scenarios or over many drawings in batch runs.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries' packages (Qt, PCRE2) are found from what the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
include(CPack)
