# SPDX-License-Identifier: GPL-3.0-or-later
# Desktop integration: menu entry, icons, metadata, manual page and the
# package's documents, and the Debian package built from the install.
set(VORLIX_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(VORLIX_MAINTAINER "The Vorlix developers <vorlix@users.noreply.github.com>"
    CACHE STRING "Maintainer named in the Debian package")

install(FILES ${VORLIX_PACKAGING_DIR}/vorlix.desktop
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

# The manual page names the program folder of this prefix. It and the
# changelog are compressed without name or time stamp, so that two builds of
# one version give the same package.
set(VORLIX_PROGRAM_FOLDER ${CMAKE_INSTALL_PREFIX}/${VORLIX_INSTALL_DIR})
set(docs ${CMAKE_BINARY_DIR}/packaging)
configure_file(${VORLIX_PACKAGING_DIR}/vorlix.1 ${docs}/vorlix.1 @ONLY)
add_custom_command(OUTPUT ${docs}/vorlix.1.gz ${docs}/changelog.gz
  COMMAND gzip -9nkf vorlix.1
  COMMAND ${CMAKE_COMMAND} -E copy ${VORLIX_PACKAGING_DIR}/changelog changelog
  COMMAND gzip -9nf changelog
  DEPENDS ${docs}/vorlix.1 ${VORLIX_PACKAGING_DIR}/changelog
  WORKING_DIRECTORY ${docs} VERBATIM)
add_custom_target(vorlix_docs ALL DEPENDS ${docs}/vorlix.1.gz ${docs}/changelog.gz)
install(FILES ${docs}/vorlix.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${docs}/changelog.gz ${VORLIX_PACKAGING_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vorlix)

add_test(NAME install_layout
  COMMAND ${CMAKE_SOURCE_DIR}/tests/install/check-install.sh ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small MP3 player that looks like a USB stick")
set(CPACK_PACKAGE_DESCRIPTION "\
Vorlix is a small MP3 player whose window is the picture of a silver
USB-stick player, cut to the device's outline. Its painted buttons are the
controls: power, play and pause, volume down and up, and the playlist.
The playlist is a second shaped window that plays its songs one after the
other and is kept between runs.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The binaries go in whole; CPack strips them and moves their debugging
# information into vorlix-dbgsym, under /usr/lib/debug/.build-id, where
# debuggers and crash reporters look for it by the binaries' build ids.
set(CPACK_STRIP_FILES OFF)
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VORLIX_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/vorlix/vorlix)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts the about box and the system-information message ask for, a sound
# server, and Qt's translations for the standard buttons and the file dialog.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-arphic-uming | fonts-noto-cjk, fonts-liberation2, \
pulseaudio | pipewire-pulse, qt6-translations-l10n")
# The programs the about box's system-information button starts.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "hardinfo | kinfocenter | lshw-gtk")
# No ldconfig calls in the maintainer scripts: see cpack/.
set(CPACK_PROJECT_CONFIG_FILE ${VORLIX_PACKAGING_DIR}/CPackProject.cmake)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
