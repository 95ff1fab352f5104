# The Debian package: "cpack -G DEB" in a build folder (or "make package" at
# the top) makes palitra_<version>_<arch>.deb of what install.cmake installs,
# under /usr, with stripped programs and the dependencies dpkg-shlibdeps finds;
# the launcher goes to /usr/games (packaging/debian-games.cmake).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME palitra)
set(CPACK_PACKAGE_VENDOR Quindaro-Software)
set(CPACK_PACKAGE_CONTACT "Quindaro-Software <palitra@quindaro.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Spanish word game against the computer")
set(CPACK_PACKAGE_DESCRIPTION [[
Palitra is a word game in Spanish for the desktop: you race the computer on a
5 x 5 board of letter tiles dealt from a bag of 95 letters with Spanish
frequencies. Both spell words along paths of touching tiles; the computer
walks the board at the pace of the chosen level. Rounds last 2 to 5 minutes,
words score by length, and the first side to pass the target score wins.

Palitra es un juego de palabras en castellano: juegas contra el ordenador en
un tablero de 5 x 5 fichas con letras; gana quien supere primero la
puntuación elegida.

The word list of 572,905 Spanish words comes from the RLA-ES dictionary of
hunspell-es; the 11,611 among them most frequent in film subtitles, from
OpenSubtitles 2024 via OPUS (ODC-BY), are listed apart.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/debian-games.cmake)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.quindaro.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts the windows are drawn for, and Qt's Spanish for the message boxes' buttons.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The changelog and the AppStream entry name the version being packaged.
file(STRINGS packaging/changelog PALITRA_CHANGELOG_TOP LIMIT_COUNT 1)
file(READ packaging/example.quindaro.palitra.metainfo.xml PALITRA_METAINFO)
string(REPLACE "." "\\." PALITRA_VERSION_PATTERN ${PROJECT_VERSION})
if(NOT PALITRA_CHANGELOG_TOP MATCHES "^palitra \\(${PALITRA_VERSION_PATTERN}\\) "
   OR NOT PALITRA_METAINFO MATCHES "<release version=\"${PALITRA_VERSION_PATTERN}\"")
  message(WARNING "packaging/changelog and the <releases> of packaging/*.metainfo.xml "
                  "should begin with version ${PROJECT_VERSION}")
endif()

include(CPack)
