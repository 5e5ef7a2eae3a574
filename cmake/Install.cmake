# What `cmake --install` puts where (honouring CMAKE_INSTALL_PREFIX and DESTDIR), and the Debian
# package CPack makes of it (scripts/package).
include(GNUInstallDirs)

install(TARGETS corvalen-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(NOT WIN32)
    install(FILES man/corvalen-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

if(CORVALEN_BUILD_APP AND NOT WIN32)
    set(CORVALEN_APP_ID org.corvalen.corvalen)
    install(TARGETS corvalen RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES man/corvalen.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES data/${CORVALEN_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES data/${CORVALEN_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES data/${CORVALEN_APP_ID}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES data/corvalen-mime.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME corvalen.xml)
endif()

set(CPACK_PACKAGE_NAME corvalen)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Corvalen developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "memory channel editor for Winradio receivers")
set(CPACK_PACKAGE_CONTACT "The Corvalen developers <corvalen@localhost>")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # corvalen_VERSION_ARCH.deb
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Depends line comes from the shared libraries the programs link (dpkg-shlibdeps), so
# installing the package pulls in the Qt runtime.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own translations (its file and print dialogs, standard buttons and key names), which the
# translated editor shows beside its own; CPack puts them after the libraries' dependencies.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
# The package's long description (CPack puts the summary above it).
set(CPACK_PACKAGE_DESCRIPTION
    "Corvalen edits the memory channels of the Winradio G313, G303, G305 and G315
receivers. It opens the CSV memory export of the receiver software, a CHIRP
CSV file or a binary .g3m or .15m memory file as a table of channels, lets you
edit cells and add, insert, delete, move and renumber rows, and saves the table
as a CSV file, a CHIRP file or the receiver's memory file. It checks what it
writes and reports every cell it could not take as it stands.

The package also holds corvalen-cli, a command-line converter between these
formats.")
include(CPack)
