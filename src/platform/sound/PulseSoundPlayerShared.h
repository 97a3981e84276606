// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/sound/PulseSoundPlayer.h"

#include <QString>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>

// What the player and its thread share. Its own header, so that the player's tests can wait
// for the thread without the player carrying functions for them.
struct PulseSoundPlayer::Shared {
    QString directory; // set before the thread starts, never changed
    std::mutex mutex;
    std::condition_variable changed;
    // Guarded by the mutex.
    std::optional<QString> request; // the latest path not yet taken by the thread
    bool busy = false;              // the thread is writing a sound or opening a stream
    bool quit = false;
    bool finished = false;
    // Read by the thread between chunks without taking the mutex.
    std::atomic<bool> newRequest{false};
    std::atomic<bool> quitting{false};
};
