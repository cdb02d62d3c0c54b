# The Debian package, made by `cpack -G DEB` in a build configured with
# -DCMAKE_INSTALL_PREFIX=/usr (scripts/package does both). It holds what
# `cmake --install` lays out: the game, qarvel-table and qarvel-solve, the
# score server, the shipped data, the launcher, icons, metadata and manual.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qarvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Ternwick)
set(CPACK_PACKAGE_CONTACT "Ternwick <support@ternwick.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade solitaire: patience games played in timed rounds")
# The long description, wrapped as Debian's tools show it.
set(CPACK_PACKAGE_DESCRIPTION
    "Qarvel is an arcade solitaire game for the desktop. Each of its patience
games (Klondike, FreeCell, Spider, Pyramid, Golf, Triple Towers, Forty Thieves,
Gaps and many more) is played as a series of timed rounds for points: every
round deals a new layout and sets a goal, and a time bonus counts down while
you play.

The package also holds qarvel-table, which plays the same games without a
window, qarvel-solve, which searches a deal for a winning line, and
qarvel-score-server, a score server for the game's online high scores on this
machine or a local network.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link, found by dpkg-shlibdeps (dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
