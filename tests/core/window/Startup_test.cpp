// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/Fakes.h"
#include "support/Files.h"
#include "support/OrdinaryUser.h"
#include "support/TestGame.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <unistd.h>

namespace {

const QByteArray FirstRunFile("[Parametres]\r\nTemps=\r\nPConsecutives=\r\nPjoue=0\r\n"
                              "PGagne=0\r\nSonore=1\r\n");

// An executable in a temporary folder, its settings file beside it, and a per-user
// configuration folder of the test's own.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(config.isValid());
        executable = dir.filePath(QStringLiteral("tervalo"));
        writeFileBytes(executable, "#!/bin/sh\n");
        settings = dir.filePath(QStringLiteral("tervalo.tvo"));
    }

    // A fresh run of the program: a new game object loaded from the executable.
    struct Run {
        FixedRandom random;
        ManualClock clock;
        RecordingPlayer sound;
        TestGame game{random, clock, sound};
    };
    std::unique_ptr<Run> startRun() {
        auto run = std::make_unique<Run>();
        run->game.locale = QLocale::c();
        run->game.Form_Load(executable);
        return run;
    }

    QTemporaryDir dir;
    QTemporaryDir config;
    ScopedEnv configHome{"XDG_CONFIG_HOME", config.path().toLocal8Bit()};
    QString executable;
    QString settings;
};

void expectFirstRunPanel(const TestGame& game) {
    EXPECT_EQ(game.c.PJoue.text, QStringLiteral("0"));
    EXPECT_EQ(game.c.PGagne.text, QStringLiteral("0"));
    EXPECT_EQ(game.c.Pourcent.text, QStringLiteral("0 %"));
    EXPECT_EQ(game.c.VictConsActuelle.text, QStringLiteral("0"));
    EXPECT_EQ(game.c.VictConsMeilleure.text, QString());
    EXPECT_EQ(game.c.TempsMeilleur.text, QString());
    EXPECT_EQ(game.c.Sons[0].value, 1);
    EXPECT_EQ(game.c.Sons[1].value, 0);
    EXPECT_EQ(game.v.SonActif, -1);
    EXPECT_EQ(game.v.PartiesJouees, 0);
    EXPECT_EQ(game.v.PartiesGagnees, 0);
    EXPECT_EQ(game.v.VictConsMax, 0);
}

TEST_F(StartupTest, FirstRunShowsEmptyStatisticsAndTheCloseCreatesTheFile) {
    auto run = startRun();
    TestGame& game = run->game;
    EXPECT_EQ(game.v.FichierParametres, settings);
    expectFirstRunPanel(game);
    EXPECT_EQ(game.c.Mines.text, QStringLiteral("10"));
    EXPECT_EQ(game.c.Mines.back, colours::DarkRed);
    EXPECT_TRUE(game.c.Rejouer.enabled);
    EXPECT_TRUE(game.c.RAZ.enabled);
    EXPECT_FALSE(game.c.Timer1.enabled);
    // The board is built: every cell has its sample point, and no game is dealt.
    EXPECT_EQ(game.v.Cases[100][1], 477);
    EXPECT_EQ(game.v.CouleurChiffre[1], 0xFF0000);
    EXPECT_FALSE(game.c.BtnBomb[2].visible);
    EXPECT_EQ(readFileBytes(settings), QByteArray("<no file>"));

    game.Form_Unload();
    EXPECT_EQ(readFileBytes(settings), FirstRunFile);
}

TEST_F(StartupTest, SavedStatisticsComeBackAndTheirTextsAreKept) {
    writeFileBytes(settings, "[Parametres]\r\nTemps=0:01:47\r\nPConsecutives=007\r\nPjoue=12abc\r\n"
                             "PGagne=7\r\nSonore=1\r\n");
    auto run = startRun();
    TestGame& game = run->game;
    EXPECT_EQ(game.c.TempsMeilleur.text, QStringLiteral("0:01:47"));
    EXPECT_EQ(game.c.VictConsMeilleure.text, QStringLiteral("007"));
    EXPECT_EQ(game.v.VictConsMax, 7);
    EXPECT_EQ(game.v.PartiesJouees, 12);
    EXPECT_EQ(game.v.PartiesGagnees, 7);
    // The counters are shown in plain decimal once the panel is refreshed.
    EXPECT_EQ(game.c.PJoue.text, QStringLiteral("12"));
    EXPECT_EQ(game.c.PGagne.text, QStringLiteral("7"));
    EXPECT_EQ(game.c.Pourcent.text, QStringLiteral("58.33 %"));
    EXPECT_EQ(game.c.VictConsActuelle.text, QStringLiteral("0"));

    game.Form_Unload();
    EXPECT_EQ(readFileBytes(settings),
              QByteArray("[Parametres]\r\nTemps=0:01:47\r\nPConsecutives=007\r\n"
                         "Pjoue=12\r\nPGagne=7\r\nSonore=1\r\n"));
}

TEST_F(StartupTest, TheGamesPlayedKeyIsFoundWhateverItsCase) {
    writeFileBytes(settings, "[parametres]\r\nPJOUE=9\r\n");
    auto run = startRun();
    EXPECT_EQ(run->game.v.PartiesJouees, 9);
    run->game.Form_Unload();
    EXPECT_EQ(readFileBytes(settings),
              QByteArray("[parametres]\r\nPJOUE=9\r\nTemps=\r\nPConsecutives=\r\n"
                         "PGagne=0\r\nSonore=1\r\n"));
}

TEST_F(StartupTest, TheSoundLineSelectsTheOptionAndSetsTheSwitch) {
    const std::pair<const char*, bool> lines[] = {
        {"Sonore=0", false}, {"Sonore=-1", false}, {"Sonore=2", false}, {"Sonore=oui", false},
        {"Sonore=1", true},  {"Sonore=", true},    {nullptr, true}, // no such line
    };
    for (const auto& [line, soundOn] : lines) {
        SCOPED_TRACE(line ? line : "no line");
        writeFileBytes(settings, QByteArray("[Parametres]\r\nPjoue=1\r\n") +
                                     (line ? QByteArray(line) + "\r\n" : QByteArray()));
        auto run = startRun();
        EXPECT_EQ(run->game.c.Sons[0].value, soundOn ? 1 : 0);
        EXPECT_EQ(run->game.c.Sons[1].value, soundOn ? 0 : 1);
        EXPECT_EQ(run->game.v.SonActif, soundOn ? -1 : 0);

        // The close writes the option's state, which the next start reads back the same.
        run->game.Form_Unload();
        EXPECT_TRUE(readFileBytes(settings).contains(soundOn ? "Sonore=1\r\n" : "Sonore=0\r\n"));
        auto nextRun = startRun();
        EXPECT_EQ(nextRun->game.v.SonActif, soundOn ? -1 : 0);
    }
}

TEST_F(StartupTest, AGameInProgressAtCloseIsNotCounted) {
    writeFileBytes(settings, "[Parametres]\r\nPjoue=5\r\n");
    auto run = startRun();
    TestGame& game = run->game;
    game.Nouveau();
    ASSERT_EQ(game.v.PartiesJouees, 6);
    ASSERT_TRUE(game.gameInProgress());
    game.Form_Unload();
    EXPECT_TRUE(readFileBytes(settings).contains("\r\nPjoue=5\r\n"))
        << readFileBytes(settings).constData();
}

TEST_F(StartupTest, CloseAfterChoosingNoSoundWritesZero) {
    auto run = startRun();
    run->game.c.Sons[0].value = 0;
    run->game.c.Sons[1].value = 1;
    run->game.Form_Unload();
    EXPECT_EQ(readFileBytes(settings), QByteArray(FirstRunFile).replace("Sonore=1", "Sonore=0"));
    auto nextRun = startRun();
    EXPECT_EQ(nextRun->game.c.Sons[1].value, 1);
    EXPECT_EQ(nextRun->game.v.SonActif, 0);
}

TEST_F(StartupTest, CloseKeepsEveryOtherLineOfTheFile) {
    const QByteArray before(
        "; notes du joueur\r\n[Fenetre]\r\nTemps=ignored\r\n\r\n"
        "[Parametres]\r\nSonore=0\r\nInconnu=x\r\nPGagne=2\r\n\r\n[Fin]\r\na=b\r\n");
    writeFileBytes(settings, before);
    auto run = startRun();
    EXPECT_EQ(run->game.c.TempsMeilleur.text, QString());
    run->game.Form_Unload();
    const QByteArray after = readFileBytes(settings);
    EXPECT_TRUE(after.startsWith("; notes du joueur\r\n[Fenetre]\r\nTemps=ignored\r\n\r\n"
                                 "[Parametres]\r\nSonore=0\r\nInconnu=x\r\nPGagne=2\r\n"))
        << after.constData();
    EXPECT_TRUE(after.contains("[Fin]\r\na=b\r\n"));
    // The missing keys join their own section, before the next one.
    for (const char* key : {"\nTemps=\r\n", "\nPConsecutives=\r\n", "\nPjoue=0\r\n"}) {
        EXPECT_GT(after.indexOf(key), 0) << key;
        EXPECT_LT(after.indexOf(key), after.indexOf("[Fin]")) << key;
    }
}

TEST_F(StartupTest, TextsAreReadAsUtf8OrElseLatin1AndWrittenAsUtf8) {
    writeFileBytes(settings,
                   "[Parametres]\r\nTemps=d\xC3\xA9j\xC3\xA0\r\nPConsecutives=\xE9t\xE9\r\n");
    auto run = startRun();
    EXPECT_EQ(run->game.c.TempsMeilleur.text, QStringLiteral("déjà"));
    EXPECT_EQ(run->game.c.VictConsMeilleure.text, QStringLiteral("été"));
    run->game.Form_Unload();
    EXPECT_TRUE(readFileBytes(settings).startsWith("[Parametres]\r\nTemps=d\xC3\xA9j\xC3\xA0\r\n"
                                                   "PConsecutives=\xC3\xA9t\xC3\xA9\r\n"));
}

TEST_F(StartupTest, ALongValueReadsAsItsFirst254Characters) {
    writeFileBytes(settings, "[Parametres]\r\nTemps=" + QByteArray(300, '7') + "\r\n");
    auto run = startRun();
    EXPECT_EQ(run->game.c.TempsMeilleur.text, QString(254, QLatin1Char('7')));

    // A value cut inside a two-byte character keeps the whole characters before it.
    writeFileBytes(settings,
                   "[Parametres]\r\nTemps=" + QByteArray(253, 'a') + "\xC3\xA9\xC3\xA9\r\n");
    auto cut = startRun();
    EXPECT_EQ(cut->game.c.TempsMeilleur.text, QString(253, QLatin1Char('a')));
}

TEST_F(StartupTest, CountsOutOfRangeAreClamped) {
    writeFileBytes(settings,
                   "[Parametres]\r\nPConsecutives=99999999\r\nPjoue=-70000\r\nPGagne=1e9\r\n");
    auto run = startRun();
    TestGame& game = run->game;
    EXPECT_EQ(game.v.VictConsMax, 32767);
    EXPECT_EQ(game.v.PartiesJouees, -32768);
    EXPECT_EQ(game.v.PartiesGagnees, 32767);
    EXPECT_EQ(game.c.PJoue.text, QStringLiteral("-32768"));
    EXPECT_EQ(game.c.Pourcent.text, QStringLiteral("0 %"));
    EXPECT_EQ(game.c.VictConsMeilleure.text, QStringLiteral("99999999"));
}

// Contents that hold nothing usable: start-up gives the first-run panel, in bounded time, and
// the close adds the five keys after every byte that was there.
TEST_F(StartupTest, UnusableFilesStartLikeTheFirstRunAndTheCloseKeepsTheBytes) {
    std::mt19937 engine(7);
    QByteArray noise(4096, '\0');
    for (char& o : noise) {
        o = static_cast<char>(engine() % 256);
    }
    noise.replace('[', '(');
    const std::pair<const char*, QByteArray> files[] = {
        {"empty", QByteArray()},
        {"noise", noise},
        {"nuls", QByteArray("\0\0\0Pjoue=4\0\r\n\0", 14)},
        {"keys before any section", "Temps=0:00:01\r\nPjoue=4\r\nPGagne=3\r\n"},
        {"a long line", QByteArray(10000, 'x') + "\r\n"},
        {"equals signs", QByteArray(900'000, '=')},
        {"another section", "[Autre]\r\nPjoue=4\r\nSonore=0\r\n"},
    };
    for (const auto& [name, before] : files) {
        SCOPED_TRACE(name);
        writeFileBytes(settings, before);
        QElapsedTimer chrono;
        chrono.start();
        auto run = startRun();
        EXPECT_LT(chrono.elapsed(), 5000);
        expectFirstRunPanel(run->game);

        run->game.Form_Unload();
        const QByteArray after = readFileBytes(settings);
        EXPECT_TRUE(after.startsWith(before));
        EXPECT_TRUE(
            after.endsWith("Temps=\r\nPConsecutives=\r\nPjoue=0\r\nPGagne=0\r\nSonore=1\r\n"));
        EXPECT_EQ(after.count("[Parametres]"), 1);
    }
}

TEST_F(StartupTest, AHugeFileIsReadInBoundedTimeAndNotDestroyed) {
    const QByteArray before = "[Parametres]\r\nPjoue=4\r\nPGagne=1\r\n[Grand]\r\n" +
                              QByteArray("cle=valeur\r\n").repeated(1'000'000);
    writeFileBytes(settings, before);
    QElapsedTimer chrono;
    chrono.start();
    auto run = startRun();
    EXPECT_LT(chrono.elapsed(), 5000);
    EXPECT_EQ(run->game.v.PartiesJouees, 4);
    EXPECT_EQ(run->game.v.PartiesGagnees, 1);
    run->game.c.TempsMeilleur.text = QStringLiteral("0:00:42");
    run->game.Form_Unload();
    EXPECT_LT(chrono.elapsed(), 10000);
    EXPECT_TRUE(readFileBytes(settings).startsWith("[Parametres]\r\n"));
    EXPECT_TRUE(readFileBytes(settings).endsWith(QByteArray("cle=valeur\r\n").repeated(1000)));
}

TEST_F(StartupTest, FilesOutOfTheOrdinaryStillReadAndWriteBack) {
    const QByteArray files[] = {
        // UTF-8 signature before the section.
        "\xEF\xBB\xBF[Parametres]\r\nPjoue=4\r\nPGagne=1\r\n",
        // Keys and sections repeated.
        "[Parametres]\r\nPjoue=4\r\nPjoue=8\r\n[Parametres]\r\nPGagne=1\r\nPGagne=2\r\n",
        // A very long line and a big file around the section.
        QByteArray(10000, 'y') + "\r\n[Parametres]\r\nPjoue=4\r\nPGagne=1\r\n[Grand]\r\n" +
            QByteArray("cle=valeur\r\n").repeated(80'000),
        // Lone line feeds.
        "[Parametres]\nPjoue=4\nPGagne=1\n",
        // UTF-16 with its signature.
        QByteArray("\xFF\xFE[\0P\0a\0r\0a\0m\0e\0t\0r\0e\0s\0]\0\r\0\n\0P\0j\0o\0u\0e\0=\0"
                   "4\0\r\0\n\0",
                   48),
    };
    for (const QByteArray& before : files) {
        writeFileBytes(settings, before);
        QElapsedTimer chrono;
        chrono.start();
        auto run = startRun();
        EXPECT_LT(chrono.elapsed(), 5000);
        const TestGame& loaded = run->game;
        EXPECT_EQ(loaded.c.PJoue.text, QString::number(loaded.v.PartiesJouees));
        EXPECT_EQ(loaded.c.PGagne.text, QString::number(loaded.v.PartiesGagnees));
        run->game.Form_Unload();

        // Whatever was made of it, the next start finds what this close saved.
        auto nextRun = startRun();
        EXPECT_EQ(nextRun->game.v.PartiesJouees, loaded.v.PartiesJouees);
        EXPECT_EQ(nextRun->game.v.PartiesGagnees, loaded.v.PartiesGagnees);
        EXPECT_EQ(nextRun->game.v.SonActif, -1);
    }
}

TEST_F(StartupTest, AFolderInThePlaceOfTheFileSendsTheSettingsToTheUserFolder) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("tervalo.tvo")));
    auto run = startRun();
    const QString userFile = config.filePath(QStringLiteral("tervalo/tervalo.tvo"));
    EXPECT_EQ(run->game.v.FichierParametres, userFile);
    expectFirstRunPanel(run->game);
    run->game.Form_Unload();
    EXPECT_EQ(readFileBytes(userFile), FirstRunFile);
}

TEST_F(StartupTest, AFolderInThePlaceOfTheUserFileLosesNothingElse) {
    // Both places are blocked: the run goes on with the defaults and the close writes nothing.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("tervalo.tvo")));
    ASSERT_TRUE(QDir(config.path()).mkpath(QStringLiteral("tervalo/tervalo.tvo")));
    auto run = startRun();
    expectFirstRunPanel(run->game);
    run->game.Form_Unload();
    EXPECT_TRUE(QFileInfo(config.filePath(QStringLiteral("tervalo/tervalo.tvo"))).isDir());
    EXPECT_EQ(QDir(config.filePath(QStringLiteral("tervalo"))).entryList(QDir::Files),
              QStringList());
}

TEST_F(StartupTest, AnUnreadableFileReadsAsNoFile) {
    if (geteuid() == 0) {
        return runAsOrdinaryUser(); // root reads every file
    }
    writeFileBytes(settings, "[Parametres]\r\nPjoue=4\r\n");
    ASSERT_TRUE(QFile::setPermissions(settings, QFileDevice::WriteOwner));
    auto run = startRun();
    expectFirstRunPanel(run->game);
}

} // namespace
