# Run by CPack on what it staged for a package. Debian keeps the programs of
# games in /usr/games, which is on every user's PATH, so the Debian package's
# launcher moves there from usr/bin. It finds the program as before: both
# folders are one level below the prefix.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(staged ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
  file(RENAME ${staged}/bin ${staged}/games)
endif()
