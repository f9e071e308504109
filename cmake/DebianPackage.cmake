# The Debian package of everything that `cmake --install` installs:
#   cpack -G DEB   ->   telvir-editor_<version>_amd64.deb
# Its dependencies come from the shared libraries the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME telvir-editor)
set(CPACK_PACKAGE_VENDOR "The Telvir editor developers")
set(CPACK_PACKAGE_CONTACT "The Telvir editor developers <developers@telvir.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration editor for the Telvir USB MIDI controller keyboard")
set(CPACK_PACKAGE_DESCRIPTION
    "Finds the Telvir keyboard among the MIDI ports (ALSA sequencer or JACK), reads and writes its settings, shows them on a picture of the keyboard, saves and loads .telvir settings files and updates the keyboard's firmware. The telvir command does the same from a shell or a script.")
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

# Where Debian looks for a package's licence.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/telvir-editor RENAME copyright)
include(CPack)
