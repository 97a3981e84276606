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
