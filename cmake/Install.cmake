# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

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

# The desktop entry, the icons and the AppStream metainfo are named by the
# program's id (ZENDRA_APP_ID).
install(FILES ${PROJECT_SOURCE_DIR}/data/${ZENDRA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/${ZENDRA_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 256)
    install(FILES ${PROJECT_SOURCE_DIR}/data/icons/${ZENDRA_APP_ID}-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${ZENDRA_APP_ID}.png)
endforeach()

# AppStream takes a screenshot only by its web address, and the picture of
# the results form (docs/results-form.png) has none yet. Until it has, the
# metainfo names no screenshot rather than an address that leads nowhere;
# whoever publishes the picture gives its address here.
set(ZENDRA_SCREENSHOT_URL "" CACHE STRING
    "Web address of docs/results-form.png, for the AppStream metainfo")
set(ZENDRA_METAINFO_SCREENSHOTS "")
if(ZENDRA_SCREENSHOT_URL)
    string(CONCAT ZENDRA_METAINFO_SCREENSHOTS
           "  <screenshots>\n"
           "    <screenshot type=\"default\">\n"
           "      <caption>The results form showing a Cholesky factor</caption>\n"
           "      <image>${ZENDRA_SCREENSHOT_URL}</image>\n"
           "    </screenshot>\n"
           "  </screenshots>")
endif()
configure_file(${PROJECT_SOURCE_DIR}/data/${ZENDRA_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${ZENDRA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${ZENDRA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zendra)
