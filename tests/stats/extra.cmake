# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The helper that the settings-file test kills in the middle of its writes.
add_executable(profile_writer ${CMAKE_CURRENT_LIST_DIR}/profile_writer_main.cpp)
target_link_libraries(profile_writer PRIVATE tervalo_core)
if(TARGET stats_ProfileFile_test)
    add_dependencies(stats_ProfileFile_test profile_writer)
    target_compile_definitions(stats_ProfileFile_test PRIVATE
        TERVALO_PROFILE_WRITER="$<TARGET_FILE:profile_writer>")
endif()
