# The Debian package of the program, made from an installed build with `cpack -G DEB`
# (scripts/package.sh): tavrel_<version>_<architecture>.deb with the program, tavrel-inspect, the
# shipped files in /usr/share/tavrel, the desktop entry, icon, metainfo and manual pages, and
# /usr/share/doc/tavrel (copyright, changelog, web page).
# The library dependencies are found by dpkg-shlibdeps (package dpkg-dev).
# The maintainer defaults to the project's maintainers; a distribution sets its own:
#   cmake -DTAVREL_PACKAGE_MAINTAINER="Name <address>" ...
set(TAVREL_PACKAGE_MAINTAINER "SWF Tavrel Tool maintainers <maintainers@tavrel.org>"
    CACHE STRING "Maintainer field of the Debian package: name <address>")

# The package is native (its version has no Debian revision): its changelog is debian/changelog,
# installed as changelog.gz. -n leaves the date out, so a rebuild gives the same bytes.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/debian/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/debian/changelog
  VERBATIM)
add_custom_target(tavrel-changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${TAVREL_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrel)
set(CPACK_PACKAGE_VENDOR "SWF Tavrel Tool")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${TAVREL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert WAV and MP3 sound files into SWF movies")
# Lines within 80 columns, as the package tools show them.
set(CPACK_PACKAGE_DESCRIPTION [=[
SWF Tavrel Tool is a batch converter: each listed WAV or MP3 file becomes
one SWF movie that holds the whole sound as MP3, started once and followed
by enough empty frames for its playing time. Output modes are presets of
MP3 encoder settings; projects can be saved and converted from the command
line with no window (tavrel -f:project.xml -hide).]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TAVREL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Non-MP3 input is encoded by the lame program; the window's own icon is SVG, drawn by the Qt SVG
# plugins; the other libraries come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "lame, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The menus' and tool bar's pictures come from the icon theme; Qt's own texts (Yes, No, Cancel, the
# file dialogs) in the user's language from Qt's translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "adwaita-icon-theme, qt6-translations-l10n")

include(CPack)
