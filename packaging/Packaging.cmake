# SPDX-License-Identifier: GPL-3.0-or-later
# Desktop integration: menu entry, icons, metadata and manual page. The
# Debian package is built from this install by debian/.
set(VORLIX_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

install(FILES ${VORLIX_PACKAGING_DIR}/io.github.vorlix.vorlix.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VORLIX_PACKAGING_DIR}/io.github.vorlix.vorlix.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/assets/icons/vorlix-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME vorlix.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/assets/icons/vorlix.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The manual page names the folders of this prefix. It is compressed without
# name or time stamp, so that two builds of one version are the same bytes.
set(VORLIX_PROGRAM_FOLDER ${CMAKE_INSTALL_PREFIX}/${VORLIX_INSTALL_DIR})
set(VORLIX_DATA_FOLDER ${CMAKE_INSTALL_FULL_DATADIR}/vorlix)
set(docs ${CMAKE_BINARY_DIR}/packaging)
configure_file(${VORLIX_PACKAGING_DIR}/vorlix.1 ${docs}/vorlix.1 @ONLY)
add_custom_command(OUTPUT ${docs}/vorlix.1.gz
  COMMAND gzip -9nkf vorlix.1
  DEPENDS ${docs}/vorlix.1
  WORKING_DIRECTORY ${docs} VERBATIM)
add_custom_target(vorlix_docs ALL DEPENDS ${docs}/vorlix.1.gz)
install(FILES ${docs}/vorlix.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(BUILD_TESTING)
  add_test(NAME install_layout
    COMMAND ${CMAKE_SOURCE_DIR}/tests/install/check-install.sh ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR})
endif()
