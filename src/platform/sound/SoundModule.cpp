// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/sound/SoundModule.h"

#include "platform/sound/PulseSoundPlayer.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT SoundPlayer* tervalo_sound_player_create(const QString& directory) {
    return new PulseSoundPlayer(directory);
}

// The caller finds the entry point by the name it knows and calls it through this type.
static_assert(std::is_same_v<decltype(&tervalo_sound_player_create), sound_module::Create>);
