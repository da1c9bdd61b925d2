# The Debian package, built by scripts/package: what `cmake --install` lays
# out (configured for /usr, games/ and share/games/zarn), plus the copyright
# and changelog Debian asks of every package.
set(zarn_package_version ${PROJECT_VERSION}-1)
set(zarn_doc ${CMAKE_INSTALL_DATADIR}/doc/zarn)
configure_file(${CMAKE_SOURCE_DIR}/cmake/package/changelog.in ${zarn_generated}/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${zarn_generated}/changelog.Debian.gz
                   COMMAND gzip -9nf -k ${zarn_generated}/changelog.Debian DEPENDS ${zarn_generated}/changelog.Debian
                   COMMENT "Compressing the changelog" VERBATIM)
add_custom_target(zarn_changelog ALL DEPENDS ${zarn_generated}/changelog.Debian.gz)
install(FILES ${CMAKE_SOURCE_DIR}/cmake/package/copyright ${zarn_generated}/changelog.Debian.gz
        DESTINATION ${zarn_doc})
install(FILES ${CMAKE_SOURCE_DIR}/cmake/package/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME zarn)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_CONTACT "Zarn developers <zarn@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "toy excavator game: scoop coffee, milk and sugar into a cup")
# The summary is the first line; CPack indents these.
set(CPACK_PACKAGE_DESCRIPTION
    "A toy excavator on a table top scoops coffee, milk and sugar out of pots
and pours them into a cup and a glass until the order on screen is met.
Played with the keyboard or a joystick, in a window or full screen, drawn
by its own software renderer: no graphics card needed.")
# The libraries' packages come from the binary itself; the music needs a
# General MIDI SoundFont at the path the game loads.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS timgm6mb-soundfont)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
