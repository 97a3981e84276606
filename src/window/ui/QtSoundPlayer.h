#pragma once

#include "window/Services.h"

#include <QHash>
#include <QString>
#include <memory>

class QSoundEffect;

// Plays the game's WAV files from a directory (the executable's) with Qt Multimedia, without
// blocking. A new sound cuts off the one still playing. A file that is missing or cannot be
// played stays silent and is logged once. Nothing is created before the first sound.
class QtSoundPlayer : public SoundPlayer {
public:
    explicit QtSoundPlayer(QString directory);
    ~QtSoundPlayer() override;
    void play(const QString& fileName) override;

private:
    QString directory_;
    QHash<QString, QSoundEffect*> effects_;
};
