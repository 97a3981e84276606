// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/sound/PulseSoundPlayer.h"
#include "platform/sound/PulseSoundPlayerShared.h"

#include <chrono>
#include <mutex>

// What the tests see of the player's thread.
class PulseSoundPlayerProbe {
public:
    // Waits until the thread has dealt with every request and has written every sound to the
    // server; false if that did not happen in time.
    static bool waitUntilIdle(const PulseSoundPlayer& player, int timeoutMs) {
        PulseSoundPlayer::Shared& shared = *player.shared_;
        std::unique_lock lock(shared.mutex);
        return shared.changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                       [&] { return !shared.request && !shared.busy; });
    }
};
