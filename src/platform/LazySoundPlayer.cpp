// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/LazySoundPlayer.h"

#include "platform/sound/SoundModule.h"

#include <QLibrary>
#include <utility>

LazySoundPlayer::LazySoundPlayer(QString directory, QString modulePath)
    : directory_(std::move(directory)), modulePath_(std::move(modulePath)) {}

// The module stays loaded to the end: the player made by it is destroyed here, and its thread
// may outlive it briefly.
LazySoundPlayer::~LazySoundPlayer() {
    waitForModule();
    const std::lock_guard lock(mutex_);
    player_.reset();
}

QString LazySoundPlayer::modulePathBeside(const QString& executableDirectory) {
    return executableDirectory + QLatin1Char('/') + QStringLiteral(TERVALO_SOUND_MODULE_FILE);
}

void LazySoundPlayer::play(const QString& fileName) {
    const std::lock_guard lock(mutex_);
    switch (state_) {
    case State::NotLoaded:
        // Tried once: a module that is not there now is not looked for at every sound.
        state_ = State::Loading;
        pending_ = fileName;
        loader_ = std::thread([this] { load(); });
        break;
    case State::Loading:
        pending_ = fileName;
        break;
    case State::Loaded:
        player_->play(fileName);
        break;
    case State::Unavailable:
        break;
    }
}

void LazySoundPlayer::waitForModule() {
    if (loader_.joinable())
        loader_.join();
}

void LazySoundPlayer::load() {
    QLibrary module(modulePath_);
    auto create = reinterpret_cast<sound_module::Create>(module.resolve(sound_module::EntryPoint));
    std::unique_ptr<SoundPlayer> player(create ? create(directory_) : nullptr);
    if (!player) {
        qWarning("Sound module %s cannot be loaded (%s); the game stays silent.",
                 qUtf8Printable(modulePath_), qUtf8Printable(module.errorString()));
    }

    const std::lock_guard lock(mutex_);
    if (!player) {
        state_ = State::Unavailable;
        return;
    }
    player_ = std::move(player);
    state_ = State::Loaded;
    if (pending_)
        player_->play(*std::exchange(pending_, std::nullopt));
}
