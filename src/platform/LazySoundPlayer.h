// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Services.h"

#include <QString>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// Plays the game's sounds through the sound module, which is loaded on the first sound and not
// before: the window comes up without the audio libraries and all they bring with them. The
// module is loaded on a thread of its own, since that takes longer than a click may wait; the
// sounds asked for meanwhile are not lost, the latest plays as soon as the module is there. A
// module that cannot be loaded is logged once and every sound stays silent from then on; the
// game is never told.
class LazySoundPlayer : public SoundPlayer {
public:
    // The sounds' directory and the module's file.
    LazySoundPlayer(QString directory, QString modulePath);
    ~LazySoundPlayer() override;
    LazySoundPlayer(const LazySoundPlayer&) = delete;
    LazySoundPlayer& operator=(const LazySoundPlayer&) = delete;

    void play(const QString& fileName) override;

    // Waits until the module, once asked for, has been loaded or found wanting.
    void waitForModule();

    // The module's file where the build and the installation put it: beside the executable.
    static QString modulePathBeside(const QString& executableDirectory);

private:
    enum class State { NotLoaded, Loading, Loaded, Unavailable };

    void load();

    const QString directory_;
    const QString modulePath_;
    std::mutex mutex_;
    // Guarded by the mutex.
    State state_ = State::NotLoaded;
    std::unique_ptr<SoundPlayer> player_;
    std::optional<QString> pending_; // the latest sound asked for while loading
    std::thread loader_;
};
