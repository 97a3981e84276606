// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Services.h"

#include <QString>

// The sound module: the sound server's client library and what it pulls in (codecs, D-Bus,
// network) are loaded only when the first sound is played, not with the window. The module
// has one entry point, looked up by name, that makes a player for the sounds of a directory.
namespace sound_module {

// The entry point's name, and its type: the caller owns the player it returns.
inline constexpr char EntryPoint[] = "tervalo_sound_player_create";
using Create = SoundPlayer* (*)(const QString& directory);

} // namespace sound_module
