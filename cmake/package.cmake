# What the installed program brings along (desktop entry, metainfo, icons,
# manual page, copyright and changelog) and the Debian package of it:
# `cmake --build build --target package` writes build/veltrix_<version>-1_<arch>.deb.

set(VELTRIX_ID org.example.veltrix)
set(VELTRIX_MAINTAINER "Morwen <${VELTRIX_CONTACT_RECIPIENT}>")
set(VELTRIX_PACKAGE_RELEASE 1)
set(resources ${PROJECT_SOURCE_DIR}/resources)

install(FILES ${resources}/${VELTRIX_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${resources}/${VELTRIX_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${resources}/icons/${VELTRIX_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${resources}/icons/${VELTRIX_ID}-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${VELTRIX_ID}.png)
endforeach()

# Debian wants the changelog and the manual page compressed without a time
# stamp, so the same sources give the same package.
find_program(VELTRIX_GZIP gzip REQUIRED)
file(STRINGS ${resources}/changelog.Debian.in changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "\\(${PROJECT_VERSION}-${VELTRIX_PACKAGE_RELEASE}\\)")
  message(FATAL_ERROR "resources/changelog.Debian.in has no entry for ${PROJECT_VERSION}-${VELTRIX_PACKAGE_RELEASE}")
endif()
set(docs ${PROJECT_BINARY_DIR}/package-docs)
configure_file(${resources}/changelog.Debian.in ${docs}/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${docs}/changelog.Debian.gz
                   COMMAND ${VELTRIX_GZIP} -9nkf ${docs}/changelog.Debian
                   DEPENDS ${docs}/changelog.Debian VERBATIM)
add_custom_command(OUTPUT ${docs}/veltrix.6.gz
                   COMMAND ${CMAKE_COMMAND} -E copy ${resources}/veltrix.6 ${docs}/veltrix.6
                   COMMAND ${VELTRIX_GZIP} -9nf ${docs}/veltrix.6
                   DEPENDS ${resources}/veltrix.6 VERBATIM)
add_custom_target(veltrix_package_docs ALL DEPENDS ${docs}/changelog.Debian.gz ${docs}/veltrix.6.gz)
install(FILES ${docs}/veltrix.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${resources}/copyright ${docs}/changelog.Debian.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/veltrix)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltrix)
set(CPACK_PACKAGE_VENDOR Morwen)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${VELTRIX_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Spionageberichte sortieren, filtern und abarbeiten")
set(CPACK_PACKAGE_DESCRIPTION
    "Veltrix Professional hilft Spielern eines Browser-Gangsterspiels, ihre
Spionageberichte abzuarbeiten: ein Gebäude je Zeile mit Adresse, Gebäudetyp,
Sicherheitsgefühl (SG) und Fallen. Es entfernt ungültige Zeilen, sortiert und
filtert die Liste, berechnet Schutzgeld und Ansehen und hilft, die Liste
Gebäude für Gebäude abzuarbeiten.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VELTRIX_PACKAGE_RELEASE})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://veltrix.example.org/)
# The libraries the binary links, worked out from it; Qt's German
# translations give the standard buttons their German texts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
