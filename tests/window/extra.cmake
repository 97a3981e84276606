# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The sound player's own tests use it as a static library; the game only ever loads it as the
# sound module.
if(TARGET window_PulseSoundPlayer_test)
    target_link_libraries(window_PulseSoundPlayer_test PRIVATE tervalo_sound_player)
endif()
# The loader's tests load the module the build made, and copies of it.
if(TARGET window_LazySoundPlayer_test)
    add_dependencies(window_LazySoundPlayer_test tervalo_sound)
    target_compile_definitions(window_LazySoundPlayer_test PRIVATE
        TERVALO_SOUND_MODULE="$<TARGET_FILE:tervalo_sound>"
        TERVALO_GAME_DIR="$<TARGET_FILE_DIR:tervalo>")
endif()
# Against real sound servers of its own (PulseAudio, and PipeWire's PulseAudio service),
# recorded from the sink's monitor.
if(TARGET window_SoundServer_test)
    find_program(TERVALO_PULSEAUDIO pulseaudio REQUIRED)
    find_program(TERVALO_PAREC parec REQUIRED)
    find_program(TERVALO_PACTL pactl REQUIRED)
    find_program(TERVALO_PIPEWIRE pipewire REQUIRED)
    find_program(TERVALO_PIPEWIRE_PULSE pipewire-pulse REQUIRED)
    find_program(TERVALO_WIREPLUMBER wireplumber REQUIRED)
    find_program(TERVALO_DBUS_DAEMON dbus-daemon REQUIRED)
    add_dependencies(window_SoundServer_test tervalo_sounds)
    target_link_libraries(window_SoundServer_test PRIVATE tervalo_sound_player)
    target_compile_definitions(window_SoundServer_test PRIVATE
        TERVALO_PULSEAUDIO="${TERVALO_PULSEAUDIO}" TERVALO_PAREC="${TERVALO_PAREC}"
        TERVALO_PACTL="${TERVALO_PACTL}" TERVALO_PIPEWIRE="${TERVALO_PIPEWIRE}"
        TERVALO_PIPEWIRE_PULSE="${TERVALO_PIPEWIRE_PULSE}"
        TERVALO_WIREPLUMBER="${TERVALO_WIREPLUMBER}" TERVALO_DBUS_DAEMON="${TERVALO_DBUS_DAEMON}"
        TERVALO_GAME_DIR="$<TARGET_FILE_DIR:tervalo>")
endif()
# The helper that plays games until the end-of-game test kills it.
add_executable(game_runner ${CMAKE_CURRENT_LIST_DIR}/game_runner_main.cpp)
target_link_libraries(game_runner PRIVATE tervalo_test_support)
if(TARGET window_Saving_test)
    add_dependencies(window_Saving_test game_runner tervalo)
    target_compile_definitions(window_Saving_test PRIVATE
        TERVALO_GAME_RUNNER="$<TARGET_FILE:game_runner>" TERVALO_GAME="$<TARGET_FILE:tervalo>")
endif()
# The one-window tests start the built game itself.
if(TARGET window_SingleInstance_test)
    add_dependencies(window_SingleInstance_test tervalo)
    target_link_libraries(window_SingleInstance_test PRIVATE Qt6::Network)
    target_compile_definitions(window_SingleInstance_test PRIVATE
        TERVALO_GAME="$<TARGET_FILE:tervalo>")
endif()
# The frames' edges on screens scaled by a fraction and by two.
if(TARGET window_FrameEdges_test)
    foreach(scale 1.25 1.5 1.75 2)
        add_test(NAME FrameEdges.at_${scale} COMMAND window_FrameEdges_test)
        set_tests_properties(FrameEdges.at_${scale} PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=${scale}")
    endforeach()
endif()
# The board at the other scales (1.5 is the test's own).
if(TARGET window_FractionalScale_test)
    foreach(scale 1.25 1.75 2)
        add_test(NAME FractionalScale.at_${scale} COMMAND window_FractionalScale_test)
        set_tests_properties(FractionalScale.at_${scale} PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=${scale}")
    endforeach()
endif()
