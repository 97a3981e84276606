// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/ui/LazySoundPlayer.h"

#include "window/sound/SoundModule.h"

#include <QLibrary>
#include <utility>

LazySoundPlayer::LazySoundPlayer(QString directory, QString modulePath)
    : directory_(std::move(directory)), modulePath_(std::move(modulePath)) {}

// The module stays loaded to the end: the player made by it is destroyed here, and Qt
// Multimedia's threads may outlive it briefly.
LazySoundPlayer::~LazySoundPlayer() = default;

QString LazySoundPlayer::modulePathBeside(const QString& executableDirectory) {
    return executableDirectory + QLatin1Char('/') + QStringLiteral(TERVALO_SOUND_MODULE_FILE);
}

void LazySoundPlayer::play(const QString& fileName) {
    if (state_ == State::NotLoaded) {
        load();
    }
    if (player_) {
        player_->play(fileName);
    }
}

void LazySoundPlayer::load() {
    // Tried once: a module that is not there now is not looked for at every sound.
    state_ = State::Unavailable;
    QLibrary module(modulePath_);
    auto create = reinterpret_cast<sound_module::Create>(module.resolve(sound_module::EntryPoint));
    if (create == nullptr) {
        qWarning("Sound module %s cannot be loaded (%s); the game stays silent.",
                 qUtf8Printable(modulePath_), qUtf8Printable(module.errorString()));
        return;
    }
    player_.reset(create(directory_));
    state_ = State::Loaded;
}
