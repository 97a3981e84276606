// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// One window per settings file, checked on the built game itself: real processes, started and
// killed as a player or a session would.
#include "support/Faults.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

#ifndef TERVALO_GAME
#error "TERVALO_GAME must name the built game"
#endif

namespace {

// Generous: under the sanitizers the game starts several times slower.
constexpr int StartMs = 30000;
const QByteArray Shown = "shown at the request of a later start";

QString copyGame(const QString& folder) {
    const QString exe = folder + QStringLiteral("/tervalo");
    QFile::copy(QStringLiteral(TERVALO_GAME), exe);
    return exe;
}

class Games : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        ASSERT_TRUE(config.isValid());
    }

    // The game from `exe`, on the offscreen platform, saying when it is asked to show itself.
    std::unique_ptr<QProcess> start(const QString& exe) {
        auto game = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.insert(QStringLiteral("QT_LOGGING_RULES"),
                   QStringLiteral("tervalo.instance.info=true"));
        game->setProcessEnvironment(env);
        game->setProcessChannelMode(QProcess::MergedChannels);
        game->start(exe, {});
        return game;
    }

    // Whether the file appears within the time given.
    static bool appears(const QString& path, int ms = StartMs) {
        const QDeadlineTimer deadline(ms);
        while (!QFileInfo::exists(path)) {
            if (deadline.hasExpired()) {
                return false;
            }
            QThread::msleep(20);
        }
        return true;
    }

    // Whether the game printed `text` within the time given (its output is kept in `log`).
    static bool says(QProcess& game, const QByteArray& text, QByteArray& log, int ms = StartMs) {
        const QDeadlineTimer deadline(ms);
        while (!log.contains(text)) {
            if (deadline.hasExpired() || game.state() == QProcess::NotRunning) {
                log += game.readAll();
                return log.contains(text);
            }
            game.waitForReadyRead(100);
            log += game.readAll();
        }
        return true;
    }

    static void expectEndsAtOnceWithoutError(QProcess& game) {
        ASSERT_TRUE(game.waitForFinished(StartMs)) << "a second start should end by itself";
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(game.exitCode(), 0) << game.readAll().toStdString();
    }

    static void expectStillRunning(QProcess& game, int ms = 1500) {
        EXPECT_FALSE(game.waitForFinished(ms)) << game.readAll().toStdString();
    }

    // Closes the game as a session's end would; it saves and ends normally.
    static void close(QProcess& game) {
        game.terminate();
        ASSERT_TRUE(game.waitForFinished(StartMs));
        EXPECT_EQ(game.exitCode(), 0);
    }

    QTemporaryDir runtime;
    QTemporaryDir config;
};

TEST_F(Games, ASecondStartShowsTheFirstWindowAndEnds) {
    QTemporaryDir here;
    QTemporaryDir elsewhere;
    const QString exe = copyGame(here.path());
    auto first = start(exe);
    ASSERT_TRUE(appears(exe + QStringLiteral(".tvo.lock")));

    auto second = start(exe);
    expectEndsAtOnceWithoutError(*second);
    QByteArray log;
    EXPECT_TRUE(says(*first, Shown, log)) << log.toStdString();

    // A game on another settings file runs beside it.
    auto other = start(copyGame(elsewhere.path()));
    expectStillRunning(*other);
    close(*other);
    close(*first);
    EXPECT_TRUE(QFileInfo::exists(exe + QStringLiteral(".tvo")));
    EXPECT_FALSE(QFileInfo::exists(exe + QStringLiteral(".tvo.lock")));
}

TEST_F(Games, TwoStartsAtOnceGiveOneWindow) {
    QTemporaryDir here;
    const QString exe = copyGame(here.path());
    auto a = start(exe);
    auto b = start(exe);
    // One of them ends by itself with status 0; the other keeps its window and was shown.
    const QDeadlineTimer deadline(StartMs);
    while (a->state() != QProcess::NotRunning && b->state() != QProcess::NotRunning &&
           !deadline.hasExpired()) {
        a->waitForFinished(50);
        b->waitForFinished(50);
    }
    QProcess& ended = a->state() == QProcess::NotRunning ? *a : *b;
    QProcess& running = &ended == a.get() ? *b : *a;
    ASSERT_EQ(ended.state(), QProcess::NotRunning);
    EXPECT_EQ(ended.exitCode(), 0);
    QByteArray log;
    EXPECT_TRUE(says(running, Shown, log)) << log.toStdString();
    expectStillRunning(running, 500);
    close(running);
}

TEST_F(Games, TheLockOfAKilledGameNeverBlocks) {
    QTemporaryDir here;
    const QString exe = copyGame(here.path());
    auto killed = start(exe);
    ASSERT_TRUE(appears(exe + QStringLiteral(".tvo.lock")));
    killed->kill();
    ASSERT_TRUE(killed->waitForFinished(StartMs));
    ASSERT_TRUE(QFileInfo::exists(exe + QStringLiteral(".tvo.lock")));

    // Its lock and its socket are left behind; the next start takes them over and answers.
    auto next = start(exe);
    expectStillRunning(*next);
    auto later = start(exe);
    expectEndsAtOnceWithoutError(*later);
    QByteArray log;
    EXPECT_TRUE(says(*next, Shown, log)) << log.toStdString();
    close(*next);
}

// A shared, writable settings file in a folder that cannot be written: the lock goes to the
// user's runtime folder, a second start still finds the first, and the close saves in place.
TEST_F(Games, AFolderThatCannotHoldTheLock) {
    QString exe;
    ReadOnlyFolder folder(QStringLiteral("tervalo.tvo"), "[Parametres]\r\nPjoue=10\r\n",
                          [&exe](const QString& dir) { exe = copyGame(dir); });
    ASSERT_TRUE(folder.isValid());
    auto first = start(exe);
    ASSERT_TRUE(appears(runtime.path(), StartMs));
    const QDeadlineTimer deadline(StartMs);
    while (QDir(runtime.path()).entryList({QStringLiteral("tervalo-*.lock")}).isEmpty() &&
           !deadline.hasExpired()) {
        QThread::msleep(20);
    }
    auto second = start(exe);
    expectEndsAtOnceWithoutError(*second);
    QByteArray log;
    EXPECT_TRUE(says(*first, Shown, log)) << log.toStdString();
    close(*first);
    QFile saved(folder.file());
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("[Parametres]\r\nPjoue=10\r\nTemps=\r\nPConsecutives=\r\n"
                                          "PGagne=0\r\nSonore=1\r\n"));
    EXPECT_EQ(QDir(folder.folder()).entryList(QDir::Files),
              QStringList({"tervalo", "tervalo.tvo"}));
}

} // namespace
