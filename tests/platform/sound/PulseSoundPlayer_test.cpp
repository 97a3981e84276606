// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/sound/PulseSoundPlayer.h"
#include "platform/sound/PulseSoundPlayerProbe.h"
#include "platform/sound/WaveFile.h"

#include "support/WarningLog.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>
#include <memory>

namespace {

QByteArray le16(quint16 v) {
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}
QByteArray le32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray out = QByteArray(id, 4) + le32(quint32(body.size())) + body;
    if (body.size() % 2)
        out += '\0';
    return out;
}

QByteArray format(quint16 tag, int channels, int rate, int bits, quint16 subTag = 0) {
    const int align = channels * bits / 8;
    QByteArray f = le16(tag) + le16(quint16(channels)) + le32(quint32(rate)) +
                   le32(quint32(rate * align)) + le16(quint16(align)) + le16(quint16(bits));
    if (tag == 0xFFFE)
        f += le16(22) + le16(quint16(bits)) + le32(0) + le16(subTag) + QByteArray(14, 'g');
    return chunk("fmt ", f);
}

QByteArray riff(const QByteArray& chunks) {
    return "RIFF" + le32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

// A whole mono 16-bit file of a tone.
QByteArray tone(double seconds) {
    QByteArray pcm;
    for (int i = 0; i < int(seconds * 8000); ++i)
        pcm += le16(quint16(qint16(i % 40 < 20 ? 3000 : -3000)));
    return riff(format(1, 1, 8000, 16) + chunk("data", pcm));
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class PulseSoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // No server here: what these tests look at happens before one is needed.
        qputenv("PULSE_SERVER", "unix:/nonexistent/tervalo/native");
    }
    void TearDown() override { player.reset(); }

    PulseSoundPlayer& makePlayer() {
        player = std::make_unique<PulseSoundPlayer>(dir.path());
        return *player;
    }
    QString file(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    qsizetype warningsAbout(const QString& name) const {
        return warnings.count(QStringLiteral("Sound file ") + file(name));
    }

    WarningLog warnings;
    QTemporaryDir dir;
    std::unique_ptr<PulseSoundPlayer> player;
};

} // namespace

TEST(PulseSoundPlayerPath, DropsTheLeadingBackslashAndJoinsWithASlash) {
    struct Case {
        const char* directory;
        QString name;
        QString expected;
    };
    const Case cases[] = {
        {"/usr/lib/tervalo", QStringLiteral("\\POP.wav"),
         QStringLiteral("/usr/lib/tervalo/POP.wav")},
        {"/opt/t", QStringLiteral("YEAH.wav"), QStringLiteral("/opt/t/YEAH.wav")},
        {"/home/zoé/jeux é", QStringLiteral("\\Explosion.wav"),
         QStringLiteral("/home/zoé/jeux é/Explosion.wav")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PulseSoundPlayer::pathFor(QString::fromUtf8(c.directory), c.name), c.expected)
            << c.directory << " " << c.name.toStdString();
}

TEST(WaveFileParse, ReadsUncompressedFilesAndTurnsAwayTheRest) {
    using S = WaveFile::Sample;
    const QByteArray frames8 = "\x80\x90\x70\x80"; // four mono 8-bit frames
    struct Case {
        const char* what;
        QByteArray bytes;
        bool ok;
        S sample;
        int channels;
        qsizetype pcmBytes;
    };
    const Case cases[] = {
        {"16-bit mono", riff(format(1, 1, 44100, 16) + chunk("data", QByteArray(8, 1))), true,
         S::S16LE, 1, 8},
        {"8-bit, behind an odd-sized chunk",
         riff(chunk("LIST", "abc") + format(1, 1, 8000, 8) + chunk("data", frames8)), true, S::U8,
         1, 4},
        {"float stereo", riff(format(3, 2, 48000, 32) + chunk("data", QByteArray(16, 0))), true,
         S::Float32LE, 2, 16},
        {"extensible 24-bit",
         riff(format(0xFFFE, 2, 48000, 24, 1) + chunk("data", QByteArray(12, 0))), true, S::S24LE,
         2, 12},
        {"data cut short keeps whole frames",
         riff(format(1, 2, 8000, 16)) + "data" + le32(400) + QByteArray(10, 0), true, S::S16LE, 2,
         8},
        {"compressed", riff(format(2, 1, 8000, 4) + chunk("data", QByteArray(8, 0))), false,
         S::S16LE, 0, 0},
        {"extensible, compressed inside",
         riff(format(0xFFFE, 1, 8000, 16, 2) + chunk("data", QByteArray(8, 0))), false, S::S16LE, 0,
         0},
        {"no channels", riff(format(1, 0, 8000, 16) + chunk("data", QByteArray(8, 0))), false,
         S::S16LE, 0, 0},
        {"samples before their format",
         riff(chunk("data", QByteArray(8, 0)) + format(1, 1, 8000, 16)), false, S::S16LE, 0, 0},
        {"no samples", riff(format(1, 1, 8000, 16)), false, S::S16LE, 0, 0},
        {"not a WAV file", "RIFF\x10\0\0\0AVI LIST", false, S::S16LE, 0, 0},
        {"a few bytes", "pop", false, S::S16LE, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WaveFile wave;
        QString why;
        ASSERT_EQ(WaveFile::parse(c.bytes, wave, why), c.ok) << why.toStdString();
        if (!c.ok) {
            EXPECT_FALSE(why.isEmpty());
            continue;
        }
        EXPECT_EQ(wave.sample, c.sample);
        EXPECT_EQ(wave.channels, c.channels);
        EXPECT_EQ(wave.pcm.size(), c.pcmBytes);
    }
}

TEST_F(PulseSoundPlayerTest, AMissingOrBadFileStaysSilentAndIsLoggedOnce) {
    writeBytes(file("POP.wav"), "pop");
    writeBytes(file("YEAH.wav"), riff(format(2, 1, 8000, 4) + chunk("data", QByteArray(8, 0))));
    PulseSoundPlayer& player = makePlayer();
    for (int i = 0; i < 3; ++i) {
        for (const char* name : {"\\Explosion.wav", "\\POP.wav", "\\YEAH.wav"}) {
            player.play(QString::fromLatin1(name));
            ASSERT_TRUE(PulseSoundPlayerProbe::waitUntilIdle(player, 5000));
        }
    }
    EXPECT_EQ(warningsAbout("Explosion.wav"), 1);
    EXPECT_EQ(warningsAbout("POP.wav"), 1);
    EXPECT_EQ(warningsAbout("YEAH.wav"), 1);
    // Not one of them got as far as the server.
    EXPECT_EQ(warnings.count(QStringLiteral("sound server")), 0);
}

TEST_F(PulseSoundPlayerTest, AFileMendedWhileTheGameRunsIsPlayed) {
    PulseSoundPlayer& player = makePlayer();
    writeBytes(file("HALLELU1.wav"), "RIFF");
    player.play("\\HALLELU1.wav");
    ASSERT_TRUE(PulseSoundPlayerProbe::waitUntilIdle(player, 5000));
    ASSERT_EQ(warningsAbout("HALLELU1.wav"), 1);

    // It decodes now and is on its way to the server, which is not there: that is logged, and
    // nothing more about the file.
    writeBytes(file("HALLELU1.wav"), tone(0.3));
    player.play("\\HALLELU1.wav");
    ASSERT_TRUE(PulseSoundPlayerProbe::waitUntilIdle(player, 5000));
    EXPECT_EQ(warnings.count(QStringLiteral("sound server")), 1);
    EXPECT_EQ(warningsAbout("HALLELU1.wav"), 1);
}
