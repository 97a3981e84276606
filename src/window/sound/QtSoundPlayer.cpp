// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/sound/QtSoundPlayer.h"

#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <utility>

namespace {

// Qt's decoder waits forever on a file that is too short to hold a header, without ever
// reporting an error, so such a file is turned away here before it gets that far.
bool looksLikeWave(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(12);
    return head.size() == 12 && head.startsWith("RIFF") && head.sliced(8, 4) == "WAVE";
}

} // namespace

QtSoundPlayer::QtSoundPlayer(QString directory) : directory_(std::move(directory)) {}

QtSoundPlayer::~QtSoundPlayer() {
    // A sound still playing is not waited for; the effects must not call back while going.
    for (auto& [path, effect] : effects_) {
        if (effect.sound)
            effect.sound->disconnect();
    }
}

QString QtSoundPlayer::pathFor(const QString& directory, const QString& fileName) {
    QString name = fileName;
    if (name.startsWith(QLatin1Char('\\')))
        name.remove(0, 1);
    return directory + QLatin1Char('/') + name;
}

int QtSoundPlayer::effectCount() const {
    int count = 0;
    for (const auto& [path, effect] : effects_)
        count += effect.sound ? 1 : 0;
    return count;
}

bool QtSoundPlayer::isPlaying(const QString& fileName) const {
    const auto found = effects_.find(pathFor(directory_, fileName));
    return found != effects_.end() && found->second.sound && found->second.sound->isPlaying();
}

bool QtSoundPlayer::isLoading() const {
    for (const auto& [path, effect] : effects_) {
        if (effect.sound && effect.sound->status() == QSoundEffect::Loading)
            return true;
    }
    return false;
}

void QtSoundPlayer::play(const QString& fileName) {
    // Every request cuts off what is still playing, even one that turns out silent.
    for (auto& [path, effect] : effects_) {
        if (effect.sound)
            effect.sound->stop();
    }

    const QString path = pathFor(directory_, fileName);
    // The files are looked at afresh each time: the player may add or replace them while the
    // game runs.
    const QFileInfo info(path);
    if (!info.isFile()) {
        warnOnce(path, "is missing");
        return;
    }

    Effect& effect = effects_[path];
    const QDateTime modified = info.lastModified();
    const qint64 size = info.size();
    if (!effect.sound || effect.modified != modified || effect.size != size) {
        effect.sound.reset();
        effect.modified = modified;
        effect.size = size;
        if (!looksLikeWave(path)) {
            warnOnce(path, "is not a WAV file");
            return;
        }
        effect.sound = std::make_unique<QSoundEffect>();
        QSoundEffect* sound = effect.sound.get();
        QObject::connect(sound, &QSoundEffect::statusChanged, sound, [this, sound, path] {
            if (sound->status() == QSoundEffect::Error)
                warnOnce(path, "cannot be played");
        });
        sound->setSource(QUrl::fromLocalFile(path));
    }
    effect.sound->play();
}

void QtSoundPlayer::warnOnce(const QString& path, const char* why) {
    if (warned_.contains(path))
        return;
    warned_.insert(path);
    qWarning("Sound file %s %s; it stays silent.", qUtf8Printable(path), why);
}
