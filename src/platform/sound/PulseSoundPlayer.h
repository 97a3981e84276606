// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Services.h"

#include <QString>
#include <memory>
#include <thread>

// Plays the game's WAV files from a directory (the executable's) through the sound server
// (PulseAudio, or PipeWire's PulseAudio service).
//
// A request only hands the file's name to a thread of the player's own and returns: the
// window never waits for the files, the server or a sound. That thread reads and decodes the
// file, keeps one output stream open across sounds and writes each sound to it whole, followed
// by enough silence to carry its last samples through the server's buffer. A new request
// flushes the stream at once, which cuts off the sound still playing. Requests that come while
// the thread is busy elsewhere (a server slow to answer) collapse into the latest.
//
// A missing or bad file stays silent and is logged once; so is a server that cannot be
// reached or goes away, and the next request tries again.
class PulseSoundPlayer : public SoundPlayer {
public:
    explicit PulseSoundPlayer(QString directory);
    // Waits a moment for the thread; one stuck in a server that does not answer is left to
    // end with the process rather than hold up the window.
    ~PulseSoundPlayer() override;
    PulseSoundPlayer(const PulseSoundPlayer&) = delete;
    PulseSoundPlayer& operator=(const PulseSoundPlayer&) = delete;

    void play(const QString& fileName) override;

    // The file a name like "\POP.wav" stands for in the given directory.
    static QString pathFor(const QString& directory, const QString& fileName);

    struct Shared;

private:
    // The tests wait through it for the thread (tests/platform/sound).
    friend class PulseSoundPlayerProbe;

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};
