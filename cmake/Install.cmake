# What an installed Zendra consists of: the two programs, the help file
# where the program looks for it (bin/../share/zendra), the examples, and
# what a desktop needs to show it in its menu.
install(TARGETS zendra-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(ZENDRA_BUILD_GUI)
    install(TARGETS zendra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${PROJECT_SOURCE_DIR}/data/zendra.hlp DESTINATION ${CMAKE_INSTALL_DATADIR}/zendra)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zendra/examples)

install(FILES ${PROJECT_SOURCE_DIR}/data/zendra.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/zendra.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/zendra.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 256)
    install(FILES ${PROJECT_SOURCE_DIR}/data/icons/zendra-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME zendra.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zendra)
