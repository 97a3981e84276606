# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installation, for a folder of one's own (cmake --install … --prefix ~/.local) as for a
# distribution's package (debian/).
#
#   <prefix>/lib/tervalo/tervalo        the executable, with its four sound effects and the
#                                       sound module (loaded on the first sound) beside it
#   <prefix>/<bindir>/tervalo           a relative link to it (the game finds its files through
#                                       its resolved path, so the link is enough); bindir is bin,
#                                       or games for a distribution (-DCMAKE_INSTALL_BINDIR=games)
#   <prefix>/share/man/man6/tervalo.6   the manual page
#   <prefix>/share/applications, share/metainfo, share/icons/hicolor   the desktop integration,
#                                       all named io.github.tervalo.Tervalo

include(GNUInstallDirs)
set(TERVALO_PRIVATE_DIR lib/tervalo)
set(TERVALO_APP_ID io.github.tervalo.Tervalo)

install(TARGETS tervalo RUNTIME DESTINATION ${TERVALO_PRIVATE_DIR})
# A module the game opens itself: no SONAME, so nothing for ldconfig. dpkg-shlibdeps reads every
# ELF file of a package, so the sound server's client, which only the module links, stays a
# dependency.
install(TARGETS tervalo_sound LIBRARY DESTINATION ${TERVALO_PRIVATE_DIR})
install(FILES ${TERVALO_SOUND_FILES} DESTINATION ${TERVALO_PRIVATE_DIR})

# Made in the build tree and installed as it is: install() copies a link as a link.
file(RELATIVE_PATH TERVALO_LINK_TARGET /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${TERVALO_PRIVATE_DIR}/tervalo)
set(TERVALO_LINK ${CMAKE_BINARY_DIR}/install-link/tervalo)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-link)
file(CREATE_LINK ${TERVALO_LINK_TARGET} ${TERVALO_LINK} SYMBOLIC)
install(FILES ${TERVALO_LINK} DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${PROJECT_SOURCE_DIR}/packaging/tervalo.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${TERVALO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${TERVALO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

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
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${TERVALO_APP_ID}.png)
endforeach()
install(FILES ${TERVALO_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TERVALO_APP_ID}.svg)
