// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/BoardFixture.h"
#include "support/Faults.h"
#include "support/Files.h"
#include "support/Play.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <any>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#ifndef TERVALO_GAME_RUNNER
#error "TERVALO_GAME_RUNNER must name the helper that plays games until it is killed"
#endif

namespace {

const QByteArray TenGames("[Parametres]\r\nTemps=0:01:47\r\nPConsecutives=3\r\nPjoue=10\r\n"
                          "PGagne=4\r\nSonore=1\r\n");
// The same after a win in 42 seconds.
const QByteArray ElevenGames("[Parametres]\r\nTemps=0:00:42\r\nPConsecutives=3\r\nPjoue=11\r\n"
                             "PGagne=5\r\nSonore=1\r\n");

const std::vector<int> Mines = {2, 3, 4, 5, 6, 7, 8, 9, 11, 12};

void win(BoardFixture& f) {
    f.deal(Mines);
    f.advance(42);
    f.game.Timer1_Timer();
    for (const int cell : play::safeCells(f)) {
        f.game.BtnBomb_Click(cell);
    }
    ASSERT_EQ(f.game.c.Commentaire.back, colours::Green);
}

void lose(BoardFixture& f) {
    f.deal(Mines);
    f.game.BtnBomb_Click(Mines[0]);
    ASSERT_EQ(f.game.c.Commentaire.back, colours::LightRed);
}

// A game started from an executable in a folder of the test's own, its settings file beside it.
struct FolderGame {
    explicit FolderGame(const QString& folder) {
        const QString exe = folder + QStringLiteral("/tervalo");
        if (!QFileInfo::exists(exe)) {
            writeFileBytes(exe, "#!/bin/sh\n");
        }
        f.game.locale = QLocale::c();
        f.game.Form_Load(exe);
    }
    QString settingsFile() const { return f.game.v.FichierParametres; }
    BoardFixture f;
};

// Each finished game is on disk at once, as the close would have written it.
TEST(EndOfGame, WonAndLostGamesAreSavedAsTheCloseSavesThem) {
    QTemporaryDir dir;
    FolderGame first(dir.path());
    writeFileBytes(first.settingsFile(), TenGames);
    FolderGame p(dir.path());

    win(p.f);
    EXPECT_EQ(readFileBytes(p.settingsFile()), ElevenGames);
    lose(p.f);
    const QByteArray afterLoss = readFileBytes(p.settingsFile());
    EXPECT_EQ(afterLoss, "[Parametres]\r\nTemps=0:00:42\r\nPConsecutives=3\r\nPjoue=12\r\n"
                         "PGagne=5\r\nSonore=1\r\n");
    // A game dealt and left unfinished is not counted, at the close as before.
    p.f.deal(Mines);
    p.f.game.Form_Unload();
    EXPECT_EQ(readFileBytes(p.settingsFile()), afterLoss);
}

// A write that fails at a game's end and at the close leaves every past statistic, says so once
// each time, and the next save after the fault is mended keeps everything.
void expectFaultLosesNothing(const QString& folder, const std::function<std::any()>& fault) {
    FolderGame first(folder);
    writeFileBytes(first.settingsFile(), TenGames);
    FolderGame p(folder);
    {
        const std::any activeFault = fault();
        WarningLog warnings;
        win(p.f);
        EXPECT_EQ(readFileBytes(p.settingsFile()), TenGames);
        p.f.game.Form_Unload();
        EXPECT_EQ(readFileBytes(p.settingsFile()), TenGames);
        ASSERT_EQ(warnings.messages().size(), 2) << warnings.messages().join('\n').toStdString();
        EXPECT_TRUE(warnings.messages()[0].contains(p.settingsFile()));
    }
    p.f.game.Form_Unload();
    EXPECT_EQ(readFileBytes(p.settingsFile()), ElevenGames);
    EXPECT_EQ(QDir(folder).entryList({QStringLiteral("tervalo.tvo*")}, QDir::Files),
              QStringList{"tervalo.tvo"});
}

TEST(EndOfGame, AFullDiskLosesNothing) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "mounting a small tmpfs to fill needs root; the injected failure of "
                        "the next test covers the same path";
    }
    SmallFilesystem disk(64);
    ASSERT_TRUE(disk.isValid());
    expectFaultLosesNothing(disk.path(), [&disk] {
        disk.fill();
        return std::any(std::shared_ptr<void>(nullptr, [&disk](void*) { disk.free(); }));
    });
}

TEST(EndOfGame, AFlushThatFailsLosesNothing) {
    QTemporaryDir dir;
    expectFaultLosesNothing(dir.path(),
                            [] { return std::any(std::make_shared<FileSizeLimit>(20)); });
}

// A game killed outright after a finished game: the file holds it, and every one before it.
TEST(EndOfGame, AKilledGameKeepsEveryFinishedGame) {
    QTemporaryDir dir;
    const QString settingsFile = dir.filePath(QStringLiteral("tervalo.tvo"));
    writeFileBytes(settingsFile, TenGames);
    const std::pair<const char*, const char*> games[] = {{"g\n", "Pjoue=11\r\nPGagne=5"},
                                                         {"p\n", "Pjoue=12\r\nPGagne=5"},
                                                         {"g\n", "Pjoue=13\r\nPGagne=6"},
                                                         {"p\n", "Pjoue=14\r\nPGagne=6"}};
    for (const auto& [outcome, expected] : games) {
        QProcess runner;
        runner.start(QStringLiteral(TERVALO_GAME_RUNNER),
                     {dir.filePath(QStringLiteral("tervalo"))});
        ASSERT_TRUE(runner.waitForStarted(5000));
        runner.write(outcome);
        ASSERT_TRUE(runner.waitForReadyRead(10000));
        ASSERT_EQ(runner.readLine(), "ok\n");
        runner.kill();
        ASSERT_TRUE(runner.waitForFinished(5000));
        EXPECT_EQ(readFileBytes(settingsFile),
                  "[Parametres]\r\nTemps=0:00:42\r\nPConsecutives=3\r\n" + QByteArray(expected) +
                      "\r\nSonore=1\r\n");
    }
}

// Nowhere to keep the file: one warning, the game plays on, nothing is written anywhere.
TEST(SavingPlace, WithoutAUsableFolderTheStatisticsStayInMemory) {
    const ScopedEnv configHome("XDG_CONFIG_HOME", "config");
    const ScopedEnv home("HOME", QByteArray());
    QTemporaryDir dir;
    const QString savedDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    // A folder in place of the file beside the executable sends it to the per-user folder.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("jeu/tervalo.tvo")));
    {
        WarningLog warnings;
        FolderGame p(dir.filePath(QStringLiteral("jeu")));
        EXPECT_EQ(p.settingsFile(), QString());
        EXPECT_EQ(warnings.messages().size(), 1);
        win(p.f);
        EXPECT_EQ(p.f.game.c.PGagne.text, QStringLiteral("1"));
        p.f.game.Form_Unload();
        EXPECT_EQ(warnings.messages().size(), 1);
    }
    EXPECT_EQ(folderEntries(dir.path()), QStringList{"jeu"});
    EXPECT_EQ(folderEntries(dir.filePath("jeu")), QStringList({"tervalo", "tervalo.tvo"}));
    QDir::setCurrent(savedDir);
}

// Names that are not UTF-8 (a Latin-1 byte, as an older system names folders) change nothing:
// in HOME the statistics still go to the user's own folder, and the game in such a folder
// still saves beside itself.
const QByteArray Latin1Name = "/caf\xe9";

QByteArray readRawBytes(const QByteArray& path) {
    std::ifstream in(path.constData(), std::ios::binary);
    return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {}));
}

TEST(SavingPlace, AHomeNamedInLatin1KeepsTheStatisticsThere) {
    QTemporaryDir dir;
    const QByteArray latin1 = QFile::encodeName(dir.path()) + Latin1Name;
    ASSERT_EQ(::mkdir(latin1.constData(), 0700), 0);
    const ScopedEnv configHome("XDG_CONFIG_HOME", QByteArray());
    const ScopedEnv home("HOME", latin1);
    // A folder in place of the file beside the executable sends it to the per-user folder.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("jeu/tervalo.tvo")));
    {
        FolderGame p(dir.filePath(QStringLiteral("jeu")));
        win(p.f);
        p.f.game.Form_Unload();
    }
    EXPECT_TRUE(readRawBytes(latin1 + "/.config/tervalo/tervalo.tvo").contains("PGagne=1\r\n"));
    std::filesystem::remove_all(latin1.toStdString()); // QTemporaryDir cannot name it
}

TEST(SavingPlace, AGameInAFolderNamedInLatin1SavesBesideItself) {
    QTemporaryDir dir;
    const QByteArray latin1 = QFile::encodeName(dir.path()) + Latin1Name;
    ASSERT_EQ(::mkdir(latin1.constData(), 0700), 0);
    std::filesystem::copy_file(TERVALO_GAME, latin1.toStdString() + "/tervalo");
    ASSERT_EQ(::mkdir(qPrintable(dir.filePath(QStringLiteral("run"))), 0700), 0);
    QProcess game;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("run")));
    game.setProcessEnvironment(env);
    game.setProcessChannelMode(QProcess::ForwardedChannels);
    // Qt cannot name the folder; the started game inherits a descriptor of it instead.
    const int folder = ::open(latin1.constData(), O_PATH | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    game.start(QStringLiteral("/proc/self/fd/%1/tervalo").arg(folder), {});
    ASSERT_TRUE(game.waitForStarted(5000));
    ::close(folder);
    // Closed as a session's end closes it, once it catches that signal: the statistics are saved.
    const QString status = QStringLiteral("/proc/%1/status").arg(game.processId());
    const auto catchesTerm = [&] {
        QFile f(status);
        const QByteArray text = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        const qsizetype at = text.indexOf("SigCgt:");
        return at >= 0 && (text.mid(at + 7).trimmed().left(16).toULongLong(nullptr, 16) &
                           (1ULL << (SIGTERM - 1))) != 0;
    };
    ASSERT_TRUE(QTest::qWaitFor(catchesTerm, 10000));
    game.terminate();
    ASSERT_TRUE(game.waitForFinished(10000));
    EXPECT_TRUE(readRawBytes(latin1 + "/tervalo.tvo").startsWith("[Parametres]\r\n"));
    std::filesystem::remove_all(latin1.toStdString());
}

} // namespace
