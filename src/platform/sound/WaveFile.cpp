// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/sound/WaveFile.h"

#include <QtEndian>

namespace {

constexpr quint16 FormatPcm = 1;
constexpr quint16 FormatFloat = 3;
constexpr quint16 FormatExtensible = 0xFFFE;

quint16 u16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}
quint32 u32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}

bool fail(QString& why, const char* text) {
    why = QString::fromLatin1(text);
    return false;
}

} // namespace

int WaveFile::bytesPerFrame() const {
    switch (sample) {
    case Sample::U8:
        return channels;
    case Sample::S16LE:
        return channels * 2;
    case Sample::S24LE:
        return channels * 3;
    case Sample::S32LE:
    case Sample::Float32LE:
        return channels * 4;
    }
    return 0;
}

bool WaveFile::parse(const QByteArray& bytes, WaveFile& wave, QString& why) {
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.sliced(8, 4) != "WAVE")
        return fail(why, "is not a WAV file");

    bool haveFormat = false;
    qsizetype at = 12;
    // Chunks follow one another, each padded to an even length.
    while (at + 8 <= bytes.size()) {
        const char* head = bytes.constData() + at;
        const QByteArray id(head, 4);
        const qint64 size = u32(head + 4);
        const qsizetype body = at + 8;
        const qsizetype available = qsizetype(qMin<qint64>(size, bytes.size() - body));

        if (id == "fmt ") {
            if (available < 16)
                return fail(why, "has a format chunk too short");
            const char* f = bytes.constData() + body;
            quint16 format = u16(f);
            const int channels = u16(f + 2);
            const qint64 rate = u32(f + 4);
            const int blockAlign = u16(f + 12);
            const int bits = u16(f + 14);
            if (format == FormatExtensible) {
                if (available < 26)
                    return fail(why, "has an extensible format chunk too short");
                format = u16(f + 24); // the first two bytes of the sub-format's GUID
            }
            if (channels < 1 || channels > 32 || rate < 1 || rate > 384000)
                return fail(why, "has an unusable channel count or rate");
            if (format == FormatPcm && bits == 8)
                wave.sample = Sample::U8;
            else if (format == FormatPcm && bits == 16)
                wave.sample = Sample::S16LE;
            else if (format == FormatPcm && bits == 24)
                wave.sample = Sample::S24LE;
            else if (format == FormatPcm && bits == 32)
                wave.sample = Sample::S32LE;
            else if (format == FormatFloat && bits == 32)
                wave.sample = Sample::Float32LE;
            else
                return fail(why, "is compressed or has an unusual sample size");
            wave.channels = channels;
            wave.rate = int(rate);
            if (blockAlign != wave.bytesPerFrame())
                return fail(why, "has an inconsistent frame size");
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return fail(why, "has its samples before their format");
            const int frame = wave.bytesPerFrame();
            wave.pcm = bytes.sliced(body, available - available % frame);
            return true;
        }
        at = body + size + (size & 1);
    }
    return fail(why, haveFormat ? "holds no samples" : "has no format");
}
