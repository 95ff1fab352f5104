# Installation. The program reads its word list and help page from its own
# folder and rewrites the list there at exit, so the three live together in a
# folder of their own; a launcher in bin/ starts the program from it.
include(GNUInstallDirs)

set(PALITRA_INSTALL_APPDIR "lib/palitra" CACHE STRING
    "Folder under the prefix that holds the program, Palitra.pal and Instrucciones.htm")

install(TARGETS palitra RUNTIME DESTINATION ${PALITRA_INSTALL_APPDIR})
install(FILES ${PALITRA_DATA_FILES} DESTINATION ${PALITRA_INSTALL_APPDIR})

file(RELATIVE_PATH PALITRA_LAUNCHER_TO_APPDIR
  /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${PALITRA_INSTALL_APPDIR})
configure_file(packaging/palitra.in ${CMAKE_CURRENT_BINARY_DIR}/packaging/palitra @ONLY)
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/packaging/palitra DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES packaging/palitra.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES assets/palitra-256.png RENAME palitra.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES assets/palitra.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
