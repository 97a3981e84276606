# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The four sound effects, synthesised by tools/make-sounds, lie beside the executable so the
# built game plays them exactly as the installed one does.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(TERVALO_SOUND_NAMES HALLELU1.wav Explosion.wav YEAH.wav POP.wav)
set(TERVALO_SOUND_DIR ${CMAKE_BINARY_DIR}/sounds)
list(TRANSFORM TERVALO_SOUND_NAMES PREPEND ${TERVALO_SOUND_DIR}/ OUTPUT_VARIABLE TERVALO_SOUND_FILES)

add_custom_command(
    OUTPUT ${TERVALO_SOUND_FILES}
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/make-sounds ${TERVALO_SOUND_DIR}
    DEPENDS ${PROJECT_SOURCE_DIR}/tools/make-sounds
    COMMENT "Synthesising the sound effects"
    VERBATIM)
# The copy is cheap and copy_if_different leaves the files alone when nothing changed.
add_custom_target(tervalo_sounds ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:tervalo>
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TERVALO_SOUND_FILES} $<TARGET_FILE_DIR:tervalo>
    DEPENDS ${TERVALO_SOUND_FILES}
    VERBATIM)
add_dependencies(tervalo tervalo_sounds)
