# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installation and the Debian package.
#
#   <prefix>/lib/tervalo/tervalo        the executable, with its four sound effects and the
#                                       sound module (loaded on the first sound) beside it
#   <prefix>/bin/tervalo                a relative link to it (the game finds its files through
#                                       its resolved path, so the link is enough)
#   <prefix>/share/applications, share/metainfo, share/icons/hicolor   the desktop integration

set(TERVALO_PRIVATE_DIR lib/tervalo)

install(TARGETS tervalo RUNTIME DESTINATION ${TERVALO_PRIVATE_DIR})
# dpkg-shlibdeps reads every ELF file of the package: the sound server's client, which only the
# module links, stays among the dependencies.
install(TARGETS tervalo_sound LIBRARY DESTINATION ${TERVALO_PRIVATE_DIR})
install(FILES ${TERVALO_SOUND_FILES} DESTINATION ${TERVALO_PRIVATE_DIR})

# Made in the build tree and installed as it is: install() copies a link as a link.
set(TERVALO_LINK ${CMAKE_BINARY_DIR}/install-link/tervalo)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-link)
file(CREATE_LINK ../${TERVALO_PRIVATE_DIR}/tervalo ${TERVALO_LINK} SYMBOLIC)
install(FILES ${TERVALO_LINK} DESTINATION bin)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/tervalo.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/io.github.tervalo.Tervalo.metainfo.xml
        DESTINATION share/metainfo)

# The icon: the SVG for the scalable size, and PNG renderings of it for the fixed sizes.
set(TERVALO_ICON_SVG ${PROJECT_SOURCE_DIR}/resources/tervalo.svg)
set(TERVALO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(TERVALO_ICON_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)

add_executable(tervalo_render_icon ${PROJECT_SOURCE_DIR}/tools/render-icon.cpp)
target_link_libraries(tervalo_render_icon PRIVATE Qt6::Gui Qt6::Svg)
# A build tool, not part of the game: the sanitizers' leak check would fail the build on Qt's
# own start-up allocations, so it is built without them.
set_property(TARGET tervalo_render_icon PROPERTY COMPILE_OPTIONS -Wall -Wextra -Wpedantic)
set_property(TARGET tervalo_render_icon PROPERTY LINK_OPTIONS "")

set(TERVALO_ICON_PNGS)
foreach(size IN LISTS TERVALO_ICON_SIZES)
    list(APPEND TERVALO_ICON_PNGS ${TERVALO_ICON_DIR}/${size}x${size}/apps/tervalo.png)
endforeach()
add_custom_command(
    OUTPUT ${TERVALO_ICON_PNGS}
    COMMAND tervalo_render_icon ${TERVALO_ICON_SVG} ${TERVALO_ICON_DIR} ${TERVALO_ICON_SIZES}
    DEPENDS tervalo_render_icon ${TERVALO_ICON_SVG}
    COMMENT "Rendering the icon"
    VERBATIM)
add_custom_target(tervalo_icons ALL DEPENDS ${TERVALO_ICON_PNGS})

foreach(size IN LISTS TERVALO_ICON_SIZES)
    install(FILES ${TERVALO_ICON_DIR}/${size}x${size}/apps/tervalo.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${TERVALO_ICON_SVG} DESTINATION share/icons/hicolor/scalable/apps)

# cpack -G DEB
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tervalo)
set(CPACK_PACKAGE_VENDOR "Tervalo maintainers")
set(CPACK_PACKAGE_CONTACT
    "Tervalo maintainers <maintainers@users.noreply.c-seed-c95deb1a.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mine-clearing game with a French interface")
set(CPACK_PACKAGE_DESCRIPTION
    "A board of 10 x 10 cells hides 10 mines: a left click reveals a cell, a right click marks\n\
it. Reveal every cell that is not a mine to win. The game keeps your statistics (games played\n\
and won, best time, runs of wins) and plays sound effects that can be switched off.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What is loaded at run time rather than linked, so dpkg-shlibdeps cannot see it: the window
# system's platform plugin, the SVG plugins that draw the pictures, and the fonts that stand in
# for Arial with the same metrics.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, fonts-liberation")
set(CPACK_STRIP_FILES ON)
include(CPack)
