# Installation. The program reads its word list, the list of common words and
# its help page from its own folder (unless the user has a copy of the word list
# of their own) and rewrites the word list there at exit where it may, so they
# live together in a folder of their own; a launcher in bin/ (games/ in the Debian package) starts the
# program from it.
include(GNUInstallDirs)

# Folders made by the install are 0755 whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(PALITRA_INSTALL_APPDIR "lib/palitra" CACHE STRING
    "Folder under the prefix that holds the program, Palitra.pal, Comunes.pal and Instrucciones.htm")

install(TARGETS palitra RUNTIME DESTINATION ${PALITRA_INSTALL_APPDIR})
install(FILES ${PALITRA_DATA_FILES} DESTINATION ${PALITRA_INSTALL_APPDIR})

file(RELATIVE_PATH PALITRA_LAUNCHER_TO_APPDIR
  /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${PALITRA_INSTALL_APPDIR})
configure_file(packaging/palitra.in ${CMAKE_CURRENT_BINARY_DIR}/packaging/palitra @ONLY)
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/packaging/palitra DESTINATION ${CMAKE_INSTALL_BINDIR})

# The menu entry, its icons, and the entry software centres show.
install(FILES packaging/palitra.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES assets/palitra-256.png RENAME palitra.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES assets/palitra.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
install(FILES packaging/example.quindaro.palitra.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page, and the licence and changelog where Debian keeps them. The
# compressed copies carry no name or time stamp, so every build gives the same bytes.
find_program(GZIP_PROGRAM gzip REQUIRED)
foreach(plain IN ITEMS palitra.6 changelog)
  set(copy ${CMAKE_CURRENT_BINARY_DIR}/packaging/${plain})
  add_custom_command(
    OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/${plain} ${copy}
    COMMAND ${GZIP_PROGRAM} -9nf ${copy}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${plain}
    COMMENT "Compressing packaging/${plain}")
  list(APPEND PALITRA_COMPRESSED ${copy}.gz)
endforeach()
add_custom_target(palitra_compressed ALL DEPENDS ${PALITRA_COMPRESSED})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/palitra.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES packaging/copyright ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/palitra)
