# What `cmake --install` puts where, and the Debian package CPack makes of it:
#   bin/orvel, bin/orvel-cli
#   share/applications/org.orvel.Orvel.desktop
#   share/mime/packages/org.orvel.Orvel.xml (the logger data files' type)
#   share/icons/hicolor/{scalable,NxN}/apps/org.orvel.Orvel.{svg,png}
#   share/metainfo/org.orvel.Orvel.metainfo.xml
#   share/man/man1/orvel.1.gz, orvel-cli.1.gz
#   share/doc/orvel/copyright, changelog.gz, examples/orvel-record.conf, examples/orvel-mqtt
#   lib/systemd/system/orvel-record@.service
#   share/orvel/translations/orvel_{de,en}.qm
#   share/bash-completion/completions/orvel-cli

include(GNUInstallDirs)

set(ORVEL_APP_ID org.orvel.Orvel)
set(ORVEL_RELEASE_DATE 2013-11-05)
set(ORVEL_ICON_SVG ${ORVEL_ROOT}/resources/icons/icon7.svg)
set(ORVEL_ICON_SIZES 16 22 24 32 48 64 128 256)
set(ORVEL_SCREENSHOT_URL "https://orvel.example/screenshots/orvel-meters.png"
    CACHE STRING "Address of the screenshot named in the AppStream metainfo")
set(ORVEL_PACKAGE_MAINTAINER "Orvel developers <orvel@orvel.example>"
    CACHE STRING "Maintainer field of the Debian package: Name <address>")

set(dist ${CMAKE_BINARY_DIR}/dist)

# ---- icons: the scalable SVG and PNGs rendered from it -----------------------
add_executable(orvel-render-icon dist/RenderIcon.cpp)
target_link_libraries(orvel-render-icon PRIVATE Qt6::Gui Qt6::Svg)
orvel_warnings(orvel-render-icon)

set(icon_outputs)
foreach(size IN LISTS ORVEL_ICON_SIZES)
  set(png ${dist}/icons/${size}x${size}/${ORVEL_APP_ID}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dist}/icons/${size}x${size}
    COMMAND orvel-render-icon ${ORVEL_ICON_SVG} ${png} ${size}
    DEPENDS orvel-render-icon ${ORVEL_ICON_SVG}
    COMMENT "Rendering the ${size}x${size} icon"
    VERBATIM)
  list(APPEND icon_outputs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${ORVEL_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${ORVEL_APP_ID}.svg)

# ---- manual pages: the programs' --help inside a written frame ---------------
set(man_outputs)
foreach(program orvel orvel-cli)
  set(page ${dist}/man/${program}.1)
  add_custom_command(
    OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DTEMPLATE=${ORVEL_ROOT}/dist/${program}.1.in
            -DOUT=${page} -DPROJECT_VERSION=${PROJECT_VERSION} -DORVEL_RELEASE_DATE=${ORVEL_RELEASE_DATE}
            -P ${ORVEL_ROOT}/cmake/ManPage.cmake
    COMMAND gzip -9nf ${page}
    DEPENDS ${program} ${ORVEL_ROOT}/dist/${program}.1.in ${ORVEL_ROOT}/cmake/ManPage.cmake
    COMMENT "Writing the manual page ${program}.1"
    VERBATIM)
  list(APPEND man_outputs ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# ---- share/doc/orvel: the copyright file and the changelog -------------------
# The package is built from its own source, a native package in Debian's terms,
# so its changelog is installed as changelog.gz (changelog.Debian.gz would name
# the packaging changes of someone else's source). dist/changelog needs an entry
# for every release; tests/install/check_package.sh fails while its newest entry
# is not PROJECT_VERSION. gzip -n leaves the name and time out: the same bytes
# on every build.
set(changelog ${dist}/doc/changelog)
add_custom_command(
  OUTPUT ${changelog}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${ORVEL_ROOT}/dist/changelog ${changelog}
  COMMAND gzip -9nf ${changelog}
  DEPENDS ${ORVEL_ROOT}/dist/changelog
  COMMENT "Compressing the changelog"
  VERBATIM)
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/${PROJECT_NAME})
install(FILES ${changelog}.gz dist/copyright DESTINATION ${docdir})

add_custom_target(orvel_dist ALL DEPENDS ${icon_outputs} ${man_outputs} ${changelog}.gz)

# ---- the recording service: a systemd unit template and an example of its
# file; the pipe that sends a meter's readings to an MQTT broker
# Its ExecStart names orvel-cli where this install puts it (/usr/bin in the
# package), so the unit is written at install time, for the prefix in force then.
install(FILES dist/orvel-record.conf dist/orvel-mqtt DESTINATION ${docdir}/examples)
install(CODE "set(ORVEL_UNIT_IN \"${ORVEL_ROOT}/dist/orvel-record@.service.in\")
set(ORVEL_UNIT_OUT \"${CMAKE_BINARY_DIR}/dist/orvel-record@.service\")
set(ORVEL_UNIT_BINDIR \"${CMAKE_INSTALL_BINDIR}\")")
install(SCRIPT cmake/InstallUnit.cmake)

# ---- desktop entry, metainfo, programs ---------------------------------------
configure_file(dist/${ORVEL_APP_ID}.metainfo.xml.in ${dist}/${ORVEL_APP_ID}.metainfo.xml @ONLY)
install(FILES dist/${ORVEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES dist/${ORVEL_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${ORVEL_APP_ID}.xml)
install(FILES ${dist}/${ORVEL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(TARGETS orvel orvel-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The programs look for them in share/orvel/translations beside their bin folder.
install(FILES dist/orvel-cli.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME orvel-cli)
install(FILES ${ORVEL_QM_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/${PROJECT_NAME}/translations)
# Symbols are resolved at start-up, so the relocations can be read-only at once
# (full RELRO). Only the link of the two programs changes.
target_link_options(orvel PRIVATE -Wl,-z,now)
target_link_options(orvel-cli PRIVATE -Wl,-z,now)
# A stripped install (CPack strips) also drops the compilers' version strings
# and the bare .note section, as Debian's own packaging tools do.
set(strip_comments [[
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program orvel orvel-cli)
      execute_process(COMMAND "@CMAKE_STRIP@" --remove-section=.comment --remove-section=.note
                              "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_BINDIR@/${program}"
                      COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()
]])
string(CONFIGURE "${strip_comments}" strip_comments @ONLY)
install(CODE "${strip_comments}")

# ---- Debian package: `cpack -G DEB` in the build folder ----------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvel)
set(CPACK_PACKAGE_VENDOR Orvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "data logger for a handheld multimeter on a serial port")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "The Orvel Data Logging System reads a handheld digital multimeter that\n"
  "streams its display over a serial cable. It shows the readings live on a\n"
  "digital meter, an analog needle meter and a comparator with an alarm tone,\n"
  "records them by hand or every few seconds, pages through and zooms the\n"
  "chart, saves and reopens logger files, and exports CSV text, pictures and\n"
  "print-outs.\n"
  "\n"
  "The package also holds orvel-cli, which records without windows (also as\n"
  "a system service, orvel-record@NAME, a new file every day), plays a\n"
  "simulated meter on a pseudo-terminal, converts logger files to text and\n"
  "draws them as pictures without a display.")
set(CPACK_PACKAGE_CONTACT "${ORVEL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ORVEL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The dependencies are the packages that hold the libraries the programs link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts (the buttons of message boxes and dialogs) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
