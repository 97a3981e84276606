// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// The PCM samples of a RIFF WAVE file, as the sound server takes them. Only uncompressed
// files are read: integer PCM of 8, 16, 24 or 32 bits and 32-bit floats, any rate, up to 32
// channels, with or without the extensible header.
struct WaveFile {
    enum class Sample { U8, S16LE, S24LE, S32LE, Float32LE };

    Sample sample = Sample::S16LE;
    int channels = 0;
    int rate = 0;
    // Whole frames only: a data chunk cut short in the file keeps the frames that are there.
    QByteArray pcm;

    int bytesPerFrame() const;
    // Whether another file can go to a stream opened for this one.
    bool sameFormat(const WaveFile& other) const {
        return sample == other.sample && channels == other.channels && rate == other.rate;
    }

    // Reads the file's bytes; on failure gives false and says why in a few words.
    static bool parse(const QByteArray& bytes, WaveFile& wave, QString& why);
};
