// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/sound/QtSoundPlayer.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Every warning logged while a test runs, to count the player's own about one file.
QStringList warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg)
        warnings << message;
}

// A mono 16-bit PCM WAV file of a quiet tone.
void writeWave(const QString& path, double seconds, int rate = 8000) {
    const quint32 frames = quint32(seconds * rate);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + frames * 2);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(frames * 2);
    for (quint32 i = 0; i < frames; ++i)
        out << qint16(2000 * std::sin(2 * M_PI * 440 * i / rate));
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class QtSoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        warnings.clear();
        previous = qInstallMessageHandler(collectWarnings);
    }
    void TearDown() override {
        // Qt Multimedia reads the files on a thread of its own, which must be done with them
        // before the player goes: a read cut short at the end of the process leaves its buffers
        // behind, and the leak check would fail the test for them.
        if (player_) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return !player_->isLoading(); }, 5000));
        }
        player_.reset();
        qInstallMessageHandler(previous);
    }

    QtSoundPlayer& makePlayer() {
        player_ = std::make_unique<QtSoundPlayer>(dir.path());
        return *player_;
    }
    QString file(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    qsizetype warningsAbout(const QString& name) const {
        return warnings.filter(QStringLiteral("Sound file ") + file(name)).size();
    }

    QTemporaryDir dir;
    QtMessageHandler previous = nullptr;

private:
    std::unique_ptr<QtSoundPlayer> player_;
};

} // namespace

TEST(QtSoundPlayerPath, DropsTheLeadingBackslashAndJoinsWithASlash) {
    struct Case {
        const char* directory;
        QString name;
        QString expected;
    };
    const Case cases[] = {
        {"/usr/lib/tervalo", QStringLiteral("\\POP.wav"),
         QStringLiteral("/usr/lib/tervalo/POP.wav")},
        {"/usr/lib/tervalo", QStringLiteral("\\HALLELU1.wav"),
         QStringLiteral("/usr/lib/tervalo/HALLELU1.wav")},
        {"/opt/t", QStringLiteral("YEAH.wav"), QStringLiteral("/opt/t/YEAH.wav")},
        {"/home/zoé/jeux é", QStringLiteral("\\Explosion.wav"),
         QStringLiteral("/home/zoé/jeux é/Explosion.wav")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QtSoundPlayer::pathFor(QString::fromUtf8(c.directory), c.name), c.expected)
            << c.directory << " " << c.name.toStdString();
}

TEST_F(QtSoundPlayerTest, CreatesOneEffectPerFileOnlyWhenItIsFirstPlayed) {
    writeWave(file("POP.wav"), 0.2);
    writeWave(file("YEAH.wav"), 0.2);
    QtSoundPlayer& player = makePlayer();
    EXPECT_EQ(player.effectCount(), 0);

    player.play("\\POP.wav");
    EXPECT_EQ(player.effectCount(), 1);
    player.play("\\POP.wav");
    EXPECT_EQ(player.effectCount(), 1);
    player.play("\\YEAH.wav");
    player.play("\\POP.wav");
    EXPECT_EQ(player.effectCount(), 2);
}

TEST_F(QtSoundPlayerTest, ANewSoundCutsOffTheOneStillPlaying) {
    writeWave(file("YEAH.wav"), 1.5);
    writeWave(file("POP.wav"), 1.5);
    QtSoundPlayer& player = makePlayer();

    player.play("\\YEAH.wav");
    EXPECT_TRUE(player.isPlaying("\\YEAH.wav"));
    player.play("\\POP.wav");
    EXPECT_FALSE(player.isPlaying("\\YEAH.wav"));
    EXPECT_TRUE(player.isPlaying("\\POP.wav"));
    player.play("\\YEAH.wav");
    EXPECT_TRUE(player.isPlaying("\\YEAH.wav"));
    EXPECT_FALSE(player.isPlaying("\\POP.wav"));

    // A request for a file that is not there stops the sound all the same.
    player.play("\\HALLELU1.wav");
    EXPECT_FALSE(player.isPlaying("\\YEAH.wav"));
}

TEST_F(QtSoundPlayerTest, NeverWaitsForASoundToEnd) {
    writeWave(file("HALLELU1.wav"), 2.0);
    writeWave(file("Explosion.wav"), 2.0);
    QtSoundPlayer& player = makePlayer();

    // Ten two-second sounds: waiting for any of them would take far longer than this bound.
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 10; ++i)
        player.play(i % 2 ? "\\HALLELU1.wav" : "\\Explosion.wav");
    EXPECT_LT(timer.elapsed(), 2000);
    QTest::qWait(100); // lets the loading and the audio output run, which must not crash
}

TEST_F(QtSoundPlayerTest, AMissingFileStaysSilentAndIsLoggedOnce) {
    QtSoundPlayer& player = makePlayer();
    for (int i = 0; i < 3; ++i)
        player.play("\\Explosion.wav");
    player.play("\\POP.wav");

    EXPECT_EQ(warningsAbout("Explosion.wav"), 1);
    EXPECT_EQ(warningsAbout("POP.wav"), 1);
    EXPECT_EQ(player.effectCount(), 0);
    EXPECT_FALSE(player.isPlaying("\\Explosion.wav"));
}

TEST_F(QtSoundPlayerTest, AFileAddedLaterIsPlayed) {
    QtSoundPlayer& player = makePlayer();
    player.play("\\YEAH.wav");
    EXPECT_EQ(player.effectCount(), 0);

    writeWave(file("YEAH.wav"), 0.3);
    player.play("\\YEAH.wav");
    EXPECT_EQ(player.effectCount(), 1);
    EXPECT_TRUE(player.isPlaying("\\YEAH.wav"));
    EXPECT_EQ(warningsAbout("YEAH.wav"), 1);
}

TEST_F(QtSoundPlayerTest, AFileThatIsNotAWaveStaysSilentAndIsLoggedOnce) {
    writeBytes(file("POP.wav"), "pop");
    QtSoundPlayer& player = makePlayer();
    for (int i = 0; i < 3; ++i)
        player.play("\\POP.wav");

    EXPECT_EQ(warningsAbout("POP.wav"), 1);
    EXPECT_EQ(player.effectCount(), 0);
}

TEST_F(QtSoundPlayerTest, AWaveThatCannotBeDecodedIsLoggedOnce) {
    writeBytes(file("HALLELU1.wav"), QByteArray("RIFF\x20\0\0\0WAVE", 12) + QByteArray(32, 'x'));
    QtSoundPlayer& player = makePlayer();
    player.play("\\HALLELU1.wav");
    EXPECT_TRUE(QTest::qWaitFor([&] { return warningsAbout("HALLELU1.wav") > 0; }, 5000));
    player.play("\\HALLELU1.wav");
    QTest::qWait(200);
    EXPECT_EQ(warningsAbout("HALLELU1.wav"), 1);
}

TEST_F(QtSoundPlayerTest, AReplacedFileIsReadAgain) {
    writeWave(file("Explosion.wav"), 0.3);
    QtSoundPlayer& player = makePlayer();
    player.play("\\Explosion.wav");
    QTest::qWait(200);
    ASSERT_EQ(warningsAbout("Explosion.wav"), 0);

    // Broken now: the player can only notice it by loading the file again.
    writeBytes(file("Explosion.wav"), QByteArray("RIFF\x20\0\0\0WAVE", 12) + QByteArray(40, 'x'));
    player.play("\\Explosion.wav");
    EXPECT_TRUE(QTest::qWaitFor([&] { return warningsAbout("Explosion.wav") > 0; }, 5000));
    EXPECT_EQ(player.effectCount(), 1);
}
