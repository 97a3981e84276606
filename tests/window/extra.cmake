# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The sound player's own tests use it as a static library; the game only ever loads it as the
# sound module.
if(TARGET window_QtSoundPlayer_test)
    target_link_libraries(window_QtSoundPlayer_test PRIVATE tervalo_sound_player)
endif()
# The loader's tests load the module the build made, and copies of it.
if(TARGET window_LazySoundPlayer_test)
    add_dependencies(window_LazySoundPlayer_test tervalo_sound)
    target_compile_definitions(window_LazySoundPlayer_test PRIVATE
        TERVALO_SOUND_MODULE="$<TARGET_FILE:tervalo_sound>"
        TERVALO_GAME_DIR="$<TARGET_FILE_DIR:tervalo>")
endif()
# The helper that plays games until the end-of-game test kills it.
add_executable(game_runner ${CMAKE_CURRENT_LIST_DIR}/game_runner_main.cpp)
target_link_libraries(game_runner PRIVATE tervalo_test_support)
if(TARGET window_Saving_test)
    add_dependencies(window_Saving_test game_runner)
    target_compile_definitions(window_Saving_test PRIVATE
        TERVALO_GAME_RUNNER="$<TARGET_FILE:game_runner>")
endif()
# The one-window tests start the built game itself.
if(TARGET window_SingleInstance_test)
    add_dependencies(window_SingleInstance_test tervalo)
    target_compile_definitions(window_SingleInstance_test PRIVATE
        TERVALO_GAME="$<TARGET_FILE:tervalo>")
endif()
