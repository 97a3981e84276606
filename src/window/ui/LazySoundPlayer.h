// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/Services.h"

#include <QString>
#include <memory>

// Plays the game's sounds through the sound module, which is loaded on the first sound and not
// before: the window comes up without Qt Multimedia and all it brings with it. A module that
// cannot be loaded is logged once and every sound stays silent from then on; the game is never
// told.
class LazySoundPlayer : public SoundPlayer {
public:
    // The sounds' directory and the module's file.
    LazySoundPlayer(QString directory, QString modulePath);
    ~LazySoundPlayer() override;
    LazySoundPlayer(const LazySoundPlayer&) = delete;
    LazySoundPlayer& operator=(const LazySoundPlayer&) = delete;

    void play(const QString& fileName) override;

    // The module's file where the build and the installation put it: beside the executable.
    static QString modulePathBeside(const QString& executableDirectory);

private:
    enum class State { NotLoaded, Loaded, Unavailable };

    void load();

    QString directory_;
    QString modulePath_;
    State state_ = State::NotLoaded;
    std::unique_ptr<SoundPlayer> player_;
};
