# `cmake --install build`: the program in bin, its sounds in
# share/meldora/sounds (where an installed program looks for them, from
# ../share/meldora/sounds beside its own folder), the desktop entry, the
# AppStream metadata and the icon where a Linux desktop finds them, the
# manual page, the changelog and the copyright file.
# `cd build && cpack -G DEB`: the same files as a Debian package. The
# package proper is built by scripts/check_package.sh, in build-deb with
# Debian's hardening flags and -DCMAKE_INSTALL_BINDIR=games, since Debian
# keeps games in /usr/games.

include(GNUInstallDirs)

install(TARGETS meldora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/sounds/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/meldora/sounds
        FILES_MATCHING PATTERN "*.wav")
install(FILES ${PROJECT_SOURCE_DIR}/assets/io.github.meldora.Meldora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/meldora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/assets/io.github.meldora.Meldora.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48 256)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/meldora-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME meldora.png)
endforeach()

# The manual page and the changelog go in compressed, as Debian wants them:
# gzip -9, without a time stamp so that the same sources give the same
# package.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(MELDORA_GZIPPED)
foreach(source assets/meldora.6 packaging/changelog)
  get_filename_component(name ${source} NAME)
  set(gzipped ${CMAKE_BINARY_DIR}/doc/${name}.gz)
  add_custom_command(OUTPUT ${gzipped}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/${source} ${CMAKE_BINARY_DIR}/doc/${name}
    COMMAND ${GZIP_EXECUTABLE} -9nf ${CMAKE_BINARY_DIR}/doc/${name}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND MELDORA_GZIPPED ${gzipped})
endforeach()
add_custom_target(meldora_docs ALL DEPENDS ${MELDORA_GZIPPED})
install(FILES ${CMAKE_BINARY_DIR}/doc/meldora.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# Debian's place is share/doc/<package>, lower case, whatever the project's name.
install(FILES ${CMAKE_BINARY_DIR}/doc/changelog.gz ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/meldora)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME meldora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Meldora developers")
set(CPACK_PACKAGE_CONTACT "Meldora developers <dev@meldora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "seven-round rummy card game against three computer players")
set(CPACK_PACKAGE_DESCRIPTION "Meldora is a rummy game for one person against three computer players.
Each of its seven rounds has a contract of Sets and Runs to lay down;
after that, cards are laid off onto the melds on the table, a passed
discard can be claimed by saying May I?, and whoever holds the fewest
penalty points after round seven wins.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Meldora developers <dev@meldora.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries come from the binary (dpkg-shlibdeps, in dpkg-dev); what Qt
# loads as plugins at run time has to be named: the window-system plugins
# and the SVG plugins. The card deck is optional: without it the game
# paints its own cards.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gnome-cards-data")

include(CPack)
