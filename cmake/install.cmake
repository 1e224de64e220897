# Installs the program with its icon and a desktop entry that launches it. Installed in a bin
# directory, the program keeps its log in the user's data directory (~/.local/share/vandrel).
include(GNUInstallDirs)

install(TARGETS vandrel vandrel-export RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The export tool's manual page, made at build time when help2man is there.
if(HELP2MAN)
    install(FILES ${PROJECT_BINARY_DIR}/src/export/vandrel-export.1
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

foreach(size 16 24 32 48)
    install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/vandrel-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME vandrel.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/vandrel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The entry names the installed program by its full path, which is known only at install time
# (cmake --install --prefix may differ from the configured prefix).
install(CODE "
    set(VANDREL_EXECUTABLE \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/vandrel\")
    configure_file(\"${PROJECT_SOURCE_DIR}/assets/vandrel.desktop.in\"
                   \"${PROJECT_BINARY_DIR}/vandrel.desktop\" @ONLY)
")
install(FILES ${PROJECT_BINARY_DIR}/vandrel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
