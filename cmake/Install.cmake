# Install rules for both programs and their desktop integration, and the Debian package.
# `cmake --install build --prefix P` lays out P/bin, P/share/verdal (help pages, examples),
# P/share/icons/hicolor, P/share/applications, P/share/mime/packages, P/share/metainfo and
# P/share/man/man1; the programs find P/share/verdal from their own directory.
include(GNUInstallDirs)

set(VERDAL_RESOURCES ${PROJECT_SOURCE_DIR}/resources)

# The build folder's programs look for share/verdal above themselves like installed ones.
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/share)
file(CREATE_LINK ${VERDAL_RESOURCES} ${PROJECT_BINARY_DIR}/share/verdal SYMBOLIC)

install(TARGETS verdal-run RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(VERDAL_GUI)
    install(TARGETS verdal RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# Help pages by glob, so every new page comes along.
install(DIRECTORY ${VERDAL_RESOURCES}/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/verdal/help
        OPTIONAL)
install(DIRECTORY ${VERDAL_RESOURCES}/examples/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/verdal/examples)

install(FILES ${VERDAL_RESOURCES}/icons/verdal.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${VERDAL_RESOURCES}/icons/hicolor/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor
        FILES_MATCHING PATTERN "*.png")
install(FILES ${VERDAL_RESOURCES}/verdal.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VERDAL_RESOURCES}/verdal-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME verdal.xml)
install(FILES ${VERDAL_RESOURCES}/de.verdal.Verdal.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the changelog go in compressed, as Debian wants them; -n keeps the
# archives free of time stamps.
set(VERDAL_GZIPPED)
foreach(source man/verdal.1 man/verdal-run.1 changelog)
    get_filename_component(name ${source} NAME)
    set(gz ${PROJECT_BINARY_DIR}/gz/${name}.gz)
    add_custom_command(OUTPUT ${gz}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/gz
        COMMAND gzip -9 -n -c ${VERDAL_RESOURCES}/${source} > ${gz}
        DEPENDS ${VERDAL_RESOURCES}/${source} VERBATIM)
    list(APPEND VERDAL_GZIPPED ${gz})
endforeach()
add_custom_target(verdal_compressed_docs ALL DEPENDS ${VERDAL_GZIPPED})
install(FILES ${PROJECT_BINARY_DIR}/gz/verdal.1.gz ${PROJECT_BINARY_DIR}/gz/verdal-run.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${VERDAL_RESOURCES}/copyright ${PROJECT_BINARY_DIR}/gz/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/verdal)

# The Debian package: `cpack -G DEB` in a build folder configured for /usr (see
# scripts/package.sh). dpkg-shlibdeps finds the libraries; Qt's German texts come from
# qt6-translations-l10n, which no library link reveals.
set(CPACK_PACKAGE_NAME verdal)
set(CPACK_PACKAGE_VENDOR "Die Verdal-Entwickler")
# The address answers for the package; set VERDAL_MAINTAINER to the real one when shipping.
set(VERDAL_MAINTAINER "Die Verdal-Entwickler <verdal@verdal.invalid>"
    CACHE STRING "Maintainer of the Debian package")
set(CPACK_PACKAGE_CONTACT "${VERDAL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Verzeichnisse sichern, spiegeln und abgleichen")
set(CPACK_PACKAGE_DESCRIPTION
    "Verdal hält zwei Verzeichnisbäume im Gleichschritt: Es sichert eine Quelle\n"
    "in ein Ziel, spiegelt Änderungen zurück oder gleicht in beide Richtungen ab,\n"
    "mit einer Vorschau jeder Entscheidung, geprüften Kopien und einem Protokoll.\n"
    "verdal-run führt Profile ohne Fenster aus, etwa aus cron oder einem\n"
    "systemd-Timer.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# Checks of what gets installed; they run with the other tests once the build is complete.
if(VERDAL_TESTS)
    set(VERDAL_CHECKS ${PROJECT_SOURCE_DIR}/tests/install)
    add_test(NAME verdal_install
        COMMAND /usr/bin/python3 ${VERDAL_CHECKS}/check_install.py ${PROJECT_BINARY_DIR}
                ${PROJECT_SOURCE_DIR} ${PROJECT_VERSION} $<$<BOOL:${VERDAL_GUI}>:--gui>)
    set_tests_properties(verdal_install PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
    add_test(NAME verdal_manpage
        COMMAND /usr/bin/python3 ${VERDAL_CHECKS}/check_manpage.py $<TARGET_FILE:verdal-run>
                ${VERDAL_RESOURCES}/man/verdal-run.1)
    add_test(NAME verdal_package
        COMMAND /usr/bin/python3 ${VERDAL_CHECKS}/check_package.py ${PROJECT_BINARY_DIR}
                $<$<BOOL:${VERDAL_GUI}>:--gui>)
    set_tests_properties(verdal_package PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
    set_tests_properties(verdal_install verdal_manpage verdal_package PROPERTIES LABELS install)
endif()
