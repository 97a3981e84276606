// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/Services.h"

#include <QDateTime>
#include <QSet>
#include <QString>
#include <map>
#include <memory>

class QSoundEffect;

// Plays the game's WAV files from a directory (the executable's) with Qt Multimedia, without
// blocking. A new sound cuts off the one still playing. A file that is missing or cannot be
// played stays silent and is logged once. Nothing is created before the first sound.
class QtSoundPlayer : public SoundPlayer {
public:
    explicit QtSoundPlayer(QString directory);
    ~QtSoundPlayer() override;
    QtSoundPlayer(const QtSoundPlayer&) = delete;
    QtSoundPlayer& operator=(const QtSoundPlayer&) = delete;

    void play(const QString& fileName) override;

    // The file a name like "\POP.wav" stands for in the given directory.
    static QString pathFor(const QString& directory, const QString& fileName);
    // How many sound effects exist now (one per file that has been played).
    int effectCount() const;
    // Whether the sound of that file is playing, as far as Qt Multimedia knows.
    bool isPlaying(const QString& fileName) const;
    // Whether Qt Multimedia is still reading a file in the background.
    bool isLoading() const;

private:
    struct Effect {
        std::unique_ptr<QSoundEffect> sound;
        // The file as it was loaded, to notice when it has been replaced since.
        QDateTime modified;
        qint64 size = -1;
    };

    void warnOnce(const QString& path, const char* why);

    QString directory_;
    QSet<QString> warned_;
    std::map<QString, Effect> effects_;
};
