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

# The manual pages, and the changelog and copyright every Debian package
# carries, compressed as Debian asks: gzip -9n keeps no name or time stamp,
# so the same text always gives the same bytes.
find_program(ZENDRA_GZIP gzip REQUIRED)
set(zendra_man_pages zendra-cli)
if(ZENDRA_BUILD_GUI)
    list(APPEND zendra_man_pages zendra)
endif()
set(zendra_compressed)
foreach(page ${zendra_man_pages})
    list(APPEND zendra_compressed man/${page}.1)
endforeach()
list(APPEND zendra_compressed packaging/changelog)
set(zendra_compressed_outputs)
foreach(file ${zendra_compressed})
    set(output ${PROJECT_BINARY_DIR}/${file}.gz)
    get_filename_component(output_dir ${output} DIRECTORY)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
        COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/${file} ${output_dir}
        COMMAND ${ZENDRA_GZIP} -9nf ${PROJECT_BINARY_DIR}/${file}
        DEPENDS ${PROJECT_SOURCE_DIR}/${file}
        VERBATIM)
    list(APPEND zendra_compressed_outputs ${output})
endforeach()
add_custom_target(zendra-compressed-docs ALL DEPENDS ${zendra_compressed_outputs})

foreach(page ${zendra_man_pages})
    install(FILES ${PROJECT_BINARY_DIR}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zendra)

# A stripped install (the package's) also drops the compiler's notes in
# .comment, as Debian's own stripping does.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(program zendra zendra-cli)
            set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\")
            if(EXISTS \"\${file}\")
                execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment \"\${file}\"
                                RESULT_VARIABLE status)
                if(NOT status EQUAL 0)
                    message(FATAL_ERROR \"could not remove .comment from \${file}\")
                endif()
            endif()
        endforeach()
    endif()")
