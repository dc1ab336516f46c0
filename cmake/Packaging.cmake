# Installed extras beyond the program and its data, and the Debian package built from the install
# (`cmake --build build/default --target package`).

# The manual page and the Debian changelog are installed compressed, as Debian wants them; -n keeps the
# name and time out of the archive so that builds are reproducible.
find_program(GZIP_EXE gzip REQUIRED)
set(DIRWRIGHT_GZIPPED)
foreach(pair "data/dirwright.1:dirwright.1.gz" "data/debian/changelog:changelog.gz")
    string(REPLACE ":" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 target)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${target}
                       COMMAND ${GZIP_EXE} -9n -c ${CMAKE_SOURCE_DIR}/${source} > ${CMAKE_BINARY_DIR}/${target}
                       DEPENDS ${CMAKE_SOURCE_DIR}/${source})
    list(APPEND DIRWRIGHT_GZIPPED ${CMAKE_BINARY_DIR}/${target})
endforeach()
add_custom_target(dirwright_compressed_docs ALL DEPENDS ${DIRWRIGHT_GZIPPED})

install(FILES ${CMAKE_BINARY_DIR}/dirwright.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES data/shell/dirwright.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME dirwright)
install(FILES data/shell/_dirwright DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
install(FILES data/io.github.pellacorn.Dirwright.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# File-manager actions: Dolphin's service menus and Nemo's actions have system-wide folders; Thunar and
# Nautilus have none, so the guide shows their one-line recipes.
install(FILES data/filemanager/dirwright-dolphin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/kio/servicemenus
        RENAME dirwright.desktop)
install(FILES data/filemanager/dirwright.nemo_action DESTINATION ${CMAKE_INSTALL_DATADIR}/nemo/actions)
install(FILES data/debian/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/dirwright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dirwright)
set(CPACK_PACKAGE_VENDOR Pellacorn)
set(CPACK_PACKAGE_VERSION ${DIRWRIGHT_VERSION_TEXT})
set(CPACK_PACKAGE_CONTACT "Pellacorn <dirwright@pellacorn.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch renamer for folders, with a preview and undo")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/pellacorn/dirwright)
# CPack puts the summary first and indents these lines itself; an empty line becomes " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Dirwright gathers folders into a preview list and lets rename functions
propose new names: numbering, dates, prefixes and suffixes, folder
extensions, case, name structures, manual edits. Old and new names stand
side by side; only when the changes are taken are the folders renamed, and
every rename can be undone from a history.

A batch mode renames without a window, for shell scripts and file-manager
actions.")
# The Qt libraries and everything else the program links are found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Icons for the menus and buttons when the desktop brings no theme of its own.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "adwaita-icon-theme, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
