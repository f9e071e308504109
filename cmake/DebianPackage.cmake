# The Debian package of everything that `cmake --install` installs:
#   cpack -G DEB   ->   telvir-editor_<version>_amd64.deb
# Its dependencies come from the shared libraries the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME telvir-editor)
set(CPACK_PACKAGE_VENDOR "The Telvir editor developers")
set(CPACK_PACKAGE_CONTACT "The Telvir editor developers <developers@telvir.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration editor for the Telvir USB MIDI controller keyboard")
# Lines of at most 80 characters, as Debian's control files want them.
set(CPACK_PACKAGE_DESCRIPTION
    "Finds the Telvir keyboard among the MIDI ports (ALSA sequencer or JACK),
reads and writes its settings, shows them on a picture of the keyboard,
saves and loads .telvir settings files and updates the keyboard's firmware.
The telvir command does the same from a shell or a script;
telvir-editor --demo tries the editor on the keyboard simulator.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The library of setups needs Qt SQL's SQLite driver, a plugin that no
# program links and so no shared-library scan finds.
# Qt's own translations (its dialogs' buttons) come with the user's language.
if(TELVIR_QT_MAJOR EQUAL 5)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt5sql5-sqlite)
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qttranslations5-l10n)
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6sql6-sqlite)
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
endif()

# telvir-editor --demo starts its own JACK server with jackd.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS jackd2)

# Where Debian looks for a package's licence and its changelog; a native
# package (a version without a Debian revision) calls it changelog.gz.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/telvir-editor RENAME copyright)
set(telvir_changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${telvir_changelog}
                   COMMAND ${TELVIR_GZIP} -9 -n -c ${PROJECT_SOURCE_DIR}/cmake/changelog.Debian > ${telvir_changelog}
                   DEPENDS ${PROJECT_SOURCE_DIR}/cmake/changelog.Debian
                   COMMENT "Compressing the Debian changelog")
add_custom_target(debian_changelog ALL DEPENDS ${telvir_changelog})
install(FILES ${telvir_changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/telvir-editor)
include(CPack)
