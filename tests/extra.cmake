# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks of what the build makes besides code: the sound effects, the desktop files, the
# installed layout, the command line and the licensing of every file. (The Debian package is
# built and checked by tools/package.)
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)
find_program(REUSE reuse REQUIRED)

# The Python checks run with -B so they leave no bytecode cache in the source tree.
set(TERVALO_PACKAGING_CHECKS ${CMAKE_CURRENT_SOURCE_DIR}/packaging)

add_test(NAME packaging.sounds
         COMMAND ${Python3_EXECUTABLE} -B ${TERVALO_PACKAGING_CHECKS}/check_sounds.py
                 $<TARGET_FILE_DIR:tervalo>)
add_test(NAME packaging.desktop_file
         COMMAND ${DESKTOP_FILE_VALIDATE}
                 ${PROJECT_SOURCE_DIR}/packaging/io.github.tervalo.Tervalo.desktop)
add_test(NAME packaging.metainfo
         COMMAND ${APPSTREAMCLI} validate --no-net
                 ${PROJECT_SOURCE_DIR}/packaging/io.github.tervalo.Tervalo.metainfo.xml)
add_test(NAME packaging.install
         COMMAND ${Python3_EXECUTABLE} -B ${TERVALO_PACKAGING_CHECKS}/check_install.py
                 ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR})
set_tests_properties(packaging.install PROPERTIES TIMEOUT 300)
# Every file carries its copyright and licence (REUSE); files git ignores, such as the build
# folders, are left out.
add_test(NAME packaging.reuse COMMAND ${REUSE} --root ${PROJECT_SOURCE_DIR} lint)
# --help, --version, an unknown option and a missing display, on the built game.
add_test(NAME packaging.command_line
         COMMAND ${Python3_EXECUTABLE} -B ${TERVALO_PACKAGING_CHECKS}/check_command_line.py
                 $<TARGET_FILE:tervalo> ${PROJECT_VERSION})

# End to end: the built game on a private X server, played with real mouse events, and its
# settings file and statistics panel checked across two runs. The panel is read through the
# accessibility bus with python3-pyatspi, which only Debian's own Python has.
find_program(TERVALO_E2E_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
find_program(TERVALO_E2E_XVFB Xvfb REQUIRED)
find_program(TERVALO_E2E_XDOTOOL xdotool REQUIRED)
find_program(TERVALO_E2E_DBUS_RUN_SESSION dbus-run-session REQUIRED)
add_test(NAME e2e.play
         COMMAND ${TERVALO_E2E_PYTHON} -B ${CMAKE_CURRENT_SOURCE_DIR}/e2e/play.py
                 $<TARGET_FILE:tervalo>)
set_tests_properties(e2e.play PROPERTIES LABELS e2e TIMEOUT 120)
# One window per settings file: a second start brings the running window to the front.
add_test(NAME e2e.one_window
         COMMAND ${TERVALO_E2E_PYTHON} -B ${CMAKE_CURRENT_SOURCE_DIR}/e2e/one_window.py
                 $<TARGET_FILE:tervalo>)
set_tests_properties(e2e.one_window PROPERTIES LABELS e2e TIMEOUT 120)
# The same window under a dark Qt style and under the GTK platform theme with a dark theme.
add_test(NAME e2e.desktop_look
         COMMAND ${TERVALO_E2E_PYTHON} -B ${CMAKE_CURRENT_SOURCE_DIR}/e2e/desktop_look.py
                 $<TARGET_FILE:tervalo>)
set_tests_properties(e2e.desktop_look PROPERTIES LABELS e2e TIMEOUT 120)
# On Wayland: a headless Weston of the test's own shows the window, a second start hands over,
# SIGTERM saves.
find_program(TERVALO_E2E_WESTON weston REQUIRED)
find_program(TERVALO_E2E_WESTON_DEBUG weston-debug REQUIRED)
find_program(TERVALO_E2E_WESTON_SCREENSHOOTER weston-screenshooter REQUIRED)
add_test(NAME e2e.wayland
         COMMAND ${TERVALO_E2E_PYTHON} -B ${CMAKE_CURRENT_SOURCE_DIR}/e2e/wayland.py
                 $<TARGET_FILE:tervalo>)
set_tests_properties(e2e.wayland PROPERTIES LABELS e2e TIMEOUT 120)

# Screen-reader play: the built game driven through the accessibility bus (AT-SPI) and the
# keyboard, on its own X server and D-Bus session, then its window measured on a screen scaled
# by two.
find_program(TERVALO_ATSPI_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
find_program(TERVALO_ATSPI_XVFB_RUN xvfb-run REQUIRED)
find_program(TERVALO_ATSPI_DBUS_RUN_SESSION dbus-run-session REQUIRED)
find_program(TERVALO_ATSPI_XDOTOOL xdotool REQUIRED)
function(tervalo_atspi_test name script timeout)
    add_test(NAME atspi.${name}
             COMMAND ${TERVALO_ATSPI_XVFB_RUN} -a -s "-screen 0 1600x1200x24"
                     ${TERVALO_ATSPI_DBUS_RUN_SESSION} --
                     ${TERVALO_ATSPI_PYTHON} -B ${CMAKE_CURRENT_SOURCE_DIR}/atspi/${script}
                     $<TARGET_FILE:tervalo>)
    set_tests_properties(atspi.${name} PROPERTIES LABELS atspi TIMEOUT ${timeout})
endfunction()
tervalo_atspi_test(play atspi_play.py 300)

# The same player under the Orca screen reader: what Orca says (its debug log, no voice needed)
# holds the cells the cursor lands on, what each reveal uncovers, and the end of the game.
find_program(TERVALO_ORCA orca REQUIRED)
tervalo_atspi_test(orca orca_speech.py 200)
