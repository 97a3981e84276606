// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Game.h"
#include "settings/SettingsPath.h"
#include "support/Fakes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <unistd.h>

namespace {

const QByteArray PremierLancement("[Parametres]\r\nTemps=\r\nPConsecutives=\r\nPjoue=0\r\n"
                                  "PGagne=0\r\nSonore=1\r\n");

// An executable in a temporary folder, its settings file beside it, and a per-user
// configuration folder of the test's own.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(config.isValid());
        ancienConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        executable = dir.filePath(QStringLiteral("tervalo"));
        ecrire(executable, "#!/bin/sh\n");
        settings = dir.filePath(QStringLiteral("tervalo.tvo"));
    }
    void TearDown() override {
        if (ancienConfig.isNull()) {
            qunsetenv("XDG_CONFIG_HOME");
        } else {
            qputenv("XDG_CONFIG_HOME", ancienConfig);
        }
    }

    static void ecrire(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << qPrintable(path);
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    static QByteArray lire(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
    }

    // A fresh run of the program: a new game object loaded from the executable.
    struct Run {
        FixedRandom random;
        ManualClock clock;
        RecordingPlayer sound;
        Game game{random, clock, sound};
    };
    std::unique_ptr<Run> demarrer() {
        auto run = std::make_unique<Run>();
        run->game.locale = QLocale::c();
        run->game.Form_Load(executable);
        return run;
    }

    QTemporaryDir dir;
    QTemporaryDir config;
    QByteArray ancienConfig;
    QString executable;
    QString settings;
};

void expectFirstRunPanel(const Game& game) {
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
    auto run = demarrer();
    Game& game = run->game;
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
    EXPECT_EQ(lire(settings), QByteArray("<no file>"));

    game.Form_Unload();
    EXPECT_EQ(lire(settings), PremierLancement);
    EXPECT_EQ(lire(settings).size(), 67);
}

TEST_F(StartupTest, SavedStatisticsComeBackAndTheirTextsAreKept) {
    ecrire(settings, "[Parametres]\r\nTemps=0:01:47\r\nPConsecutives=007\r\nPjoue=12abc\r\n"
                     "PGagne=7\r\nSonore=1\r\n");
    auto run = demarrer();
    Game& game = run->game;
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
    EXPECT_EQ(lire(settings), QByteArray("[Parametres]\r\nTemps=0:01:47\r\nPConsecutives=007\r\n"
                                         "Pjoue=12\r\nPGagne=7\r\nSonore=1\r\n"));
}

TEST_F(StartupTest, TheGamesPlayedKeyIsFoundWhateverItsCase) {
    ecrire(settings, "[parametres]\r\nPJOUE=9\r\n");
    auto run = demarrer();
    EXPECT_EQ(run->game.v.PartiesJouees, 9);
    run->game.Form_Unload();
    EXPECT_EQ(lire(settings), QByteArray("[parametres]\r\nPJOUE=9\r\nTemps=\r\nPConsecutives=\r\n"
                                         "PGagne=0\r\nSonore=1\r\n"));
}

struct Son {
    const char* ligne; // the "Sonore" line, or nullptr for none
    bool actif;
};

class SoundSetting : public StartupTest, public ::testing::WithParamInterface<Son> {};

TEST_P(SoundSetting, SelectsTheOptionAndSetsTheSwitch) {
    const Son s = GetParam();
    QByteArray contenu("[Parametres]\r\nPjoue=1\r\n");
    if (s.ligne != nullptr) {
        contenu += QByteArray(s.ligne) + "\r\n";
    }
    ecrire(settings, contenu);
    auto run = demarrer();
    EXPECT_EQ(run->game.c.Sons[0].value, s.actif ? 1 : 0);
    EXPECT_EQ(run->game.c.Sons[1].value, s.actif ? 0 : 1);
    EXPECT_EQ(run->game.v.SonActif, s.actif ? -1 : 0);

    // The close writes the option's state, which the next start reads back the same.
    run->game.Form_Unload();
    EXPECT_TRUE(lire(settings).contains(s.actif ? "Sonore=1\r\n" : "Sonore=0\r\n"));
    auto suivant = demarrer();
    EXPECT_EQ(suivant->game.v.SonActif, s.actif ? -1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Values, SoundSetting,
                         ::testing::Values(Son{"Sonore=0", false}, Son{"Sonore=-1", false},
                                           Son{"Sonore=2", false}, Son{"Sonore=oui", false},
                                           Son{"Sonore=1", true}, Son{"Sonore=", true},
                                           Son{nullptr, true}));

TEST_F(StartupTest, AGameInProgressAtCloseIsNotCounted) {
    ecrire(settings, "[Parametres]\r\nPjoue=5\r\n");
    auto run = demarrer();
    Game& game = run->game;
    game.Nouveau();
    ASSERT_EQ(game.v.PartiesJouees, 6);
    ASSERT_TRUE(game.partieEnCours());
    game.Form_Unload();
    EXPECT_TRUE(lire(settings).contains("\r\nPjoue=5\r\n")) << lire(settings).constData();
}

TEST_F(StartupTest, CloseAfterChoosingNoSoundWritesZero) {
    auto run = demarrer();
    run->game.c.Sons[0].value = 0;
    run->game.c.Sons[1].value = 1;
    run->game.Form_Unload();
    EXPECT_EQ(lire(settings), QByteArray("[Parametres]\r\nTemps=\r\nPConsecutives=\r\nPjoue=0\r\n"
                                         "PGagne=0\r\nSonore=0\r\n"));
    auto suivant = demarrer();
    EXPECT_EQ(suivant->game.c.Sons[1].value, 1);
    EXPECT_EQ(suivant->game.v.SonActif, 0);
}

TEST_F(StartupTest, CloseKeepsEveryOtherLineOfTheFile) {
    const QByteArray avant(
        "; notes du joueur\r\n[Fenetre]\r\nTemps=ignored\r\n\r\n"
        "[Parametres]\r\nSonore=0\r\nInconnu=x\r\nPGagne=2\r\n\r\n[Fin]\r\na=b\r\n");
    ecrire(settings, avant);
    auto run = demarrer();
    EXPECT_EQ(run->game.c.TempsMeilleur.text, QString());
    run->game.Form_Unload();
    const QByteArray apres = lire(settings);
    EXPECT_TRUE(apres.startsWith("; notes du joueur\r\n[Fenetre]\r\nTemps=ignored\r\n\r\n"
                                 "[Parametres]\r\nSonore=0\r\nInconnu=x\r\nPGagne=2\r\n"))
        << apres.constData();
    EXPECT_TRUE(apres.contains("[Fin]\r\na=b\r\n"));
    // The missing keys join their own section, before the next one.
    for (const char* cle : {"\nTemps=\r\n", "\nPConsecutives=\r\n", "\nPjoue=0\r\n"}) {
        EXPECT_GT(apres.indexOf(cle), 0) << cle;
        EXPECT_LT(apres.indexOf(cle), apres.indexOf("[Fin]")) << cle;
    }
}

TEST_F(StartupTest, TextsAreReadAsUtf8OrElseLatin1AndWrittenAsUtf8) {
    ecrire(settings, "[Parametres]\r\nTemps=d\xC3\xA9j\xC3\xA0\r\nPConsecutives=\xE9t\xE9\r\n");
    auto run = demarrer();
    EXPECT_EQ(run->game.c.TempsMeilleur.text, QStringLiteral("déjà"));
    EXPECT_EQ(run->game.c.VictConsMeilleure.text, QStringLiteral("été"));
    run->game.Form_Unload();
    EXPECT_TRUE(lire(settings).startsWith("[Parametres]\r\nTemps=d\xC3\xA9j\xC3\xA0\r\n"
                                          "PConsecutives=\xC3\xA9t\xC3\xA9\r\n"));
}

TEST_F(StartupTest, ALongValueReadsAsItsFirst254Characters) {
    ecrire(settings, "[Parametres]\r\nTemps=" + QByteArray(300, '7') + "\r\n");
    auto run = demarrer();
    EXPECT_EQ(run->game.c.TempsMeilleur.text, QString(254, QLatin1Char('7')));

    // A value cut inside a two-byte character keeps the whole characters before it.
    ecrire(settings, "[Parametres]\r\nTemps=" + QByteArray(253, 'a') + "\xC3\xA9\xC3\xA9\r\n");
    auto coupe = demarrer();
    EXPECT_EQ(coupe->game.c.TempsMeilleur.text, QString(253, QLatin1Char('a')));
}

TEST_F(StartupTest, CountsOutOfRangeAreClamped) {
    ecrire(settings, "[Parametres]\r\nPConsecutives=99999999\r\nPjoue=-70000\r\nPGagne=1e9\r\n");
    auto run = demarrer();
    Game& game = run->game;
    EXPECT_EQ(game.v.VictConsMax, 32767);
    EXPECT_EQ(game.v.PartiesJouees, -32768);
    EXPECT_EQ(game.v.PartiesGagnees, 32767);
    EXPECT_EQ(game.c.PJoue.text, QStringLiteral("-32768"));
    EXPECT_EQ(game.c.Pourcent.text, QStringLiteral("0 %"));
    EXPECT_EQ(game.c.VictConsMeilleure.text, QStringLiteral("99999999"));
}

// Contents that hold nothing usable: start-up gives the first-run panel, in bounded time, and
// the close adds the five keys after every byte that was there.
class UnusableFile : public StartupTest, public ::testing::WithParamInterface<int> {
protected:
    template <std::size_t N> static QByteArray octets(const char (&texte)[N]) {
        return QByteArray(texte, N - 1);
    }
    static QByteArray contenu(int cas) {
        switch (cas) {
        case 0:
            return {};
        case 1: {
            std::mt19937 engine(7);
            QByteArray hasard(4096, '\0');
            for (char& o : hasard) {
                o = static_cast<char>(engine() % 256);
            }
            hasard.replace('[', '(');
            return hasard;
        }
        case 2:
            return octets("\0\0\0Pjoue=4\0\r\n\0");
        case 3:
            // Keys before any section.
            return "Temps=0:00:01\r\nPjoue=4\r\nPGagne=3\r\n";
        case 4:
            return QByteArray(10000, 'x') + "\r\n";
        case 5:
            return QByteArray(900'000, '=');
        default:
            return "[Autre]\r\nPjoue=4\r\nSonore=0\r\n";
        }
    }
};

TEST_P(UnusableFile, StartsLikeTheFirstRunAndTheCloseKeepsTheBytes) {
    const QByteArray avant = contenu(GetParam());
    ecrire(settings, avant);
    QElapsedTimer chrono;
    chrono.start();
    auto run = demarrer();
    EXPECT_LT(chrono.elapsed(), 5000);
    expectFirstRunPanel(run->game);

    run->game.Form_Unload();
    const QByteArray apres = lire(settings);
    EXPECT_TRUE(apres.startsWith(avant));
    EXPECT_TRUE(apres.endsWith("Temps=\r\nPConsecutives=\r\nPjoue=0\r\nPGagne=0\r\nSonore=1\r\n"));
    EXPECT_EQ(apres.count("[Parametres]"), 1);
}

INSTANTIATE_TEST_SUITE_P(Contents, UnusableFile, ::testing::Range(0, 7));

TEST_F(StartupTest, AHugeFileIsReadInBoundedTimeAndNotDestroyed) {
    const QByteArray avant = "[Parametres]\r\nPjoue=4\r\nPGagne=1\r\n[Grand]\r\n" +
                             QByteArray("cle=valeur\r\n").repeated(1'000'000);
    ecrire(settings, avant);
    QElapsedTimer chrono;
    chrono.start();
    auto run = demarrer();
    EXPECT_LT(chrono.elapsed(), 5000);
    EXPECT_EQ(run->game.v.PartiesJouees, 4);
    EXPECT_EQ(run->game.v.PartiesGagnees, 1);
    run->game.c.TempsMeilleur.text = QStringLiteral("0:00:42");
    run->game.Form_Unload();
    EXPECT_LT(chrono.elapsed(), 10000);
    EXPECT_TRUE(lire(settings).startsWith("[Parametres]\r\n"));
    EXPECT_TRUE(lire(settings).endsWith(QByteArray("cle=valeur\r\n").repeated(1000)));
}

TEST_F(StartupTest, FilesOutOfTheOrdinaryStillReadAndWriteBack) {
    const QByteArray fichiers[] = {
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
    for (const QByteArray& avant : fichiers) {
        ecrire(settings, avant);
        QElapsedTimer chrono;
        chrono.start();
        auto run = demarrer();
        EXPECT_LT(chrono.elapsed(), 5000);
        const Game& lu = run->game;
        EXPECT_EQ(lu.c.PJoue.text, QString::number(lu.v.PartiesJouees));
        EXPECT_EQ(lu.c.PGagne.text, QString::number(lu.v.PartiesGagnees));
        run->game.Form_Unload();

        // Whatever was made of it, the next start finds what this close saved.
        auto suivant = demarrer();
        EXPECT_EQ(suivant->game.v.PartiesJouees, lu.v.PartiesJouees);
        EXPECT_EQ(suivant->game.v.PartiesGagnees, lu.v.PartiesGagnees);
        EXPECT_EQ(suivant->game.v.SonActif, -1);
    }
}

TEST_F(StartupTest, AFolderInThePlaceOfTheFileSendsTheSettingsToTheUserFolder) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("tervalo.tvo")));
    auto run = demarrer();
    const QString utilisateur = config.filePath(QStringLiteral("tervalo/tervalo.tvo"));
    EXPECT_EQ(run->game.v.FichierParametres, utilisateur);
    expectFirstRunPanel(run->game);
    run->game.Form_Unload();
    EXPECT_EQ(lire(utilisateur), PremierLancement);
}

TEST_F(StartupTest, AFolderInThePlaceOfTheUserFileLosesNothingElse) {
    // Both places are blocked: the run goes on with the defaults and the close writes nothing.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("tervalo.tvo")));
    ASSERT_TRUE(QDir(config.path()).mkpath(QStringLiteral("tervalo/tervalo.tvo")));
    auto run = demarrer();
    expectFirstRunPanel(run->game);
    run->game.Form_Unload();
    EXPECT_TRUE(QFileInfo(config.filePath(QStringLiteral("tervalo/tervalo.tvo"))).isDir());
    EXPECT_EQ(QDir(config.filePath(QStringLiteral("tervalo"))).entryList(QDir::Files),
              QStringList());
}

TEST_F(StartupTest, AnUnreadableFileReadsAsNoFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file; run as another user to check this";
    }
    ecrire(settings, "[Parametres]\r\nPjoue=4\r\n");
    ASSERT_TRUE(QFile::setPermissions(settings, QFileDevice::WriteOwner));
    auto run = demarrer();
    expectFirstRunPanel(run->game);
}

TEST(SettingsPath, LiesBesideTheExecutableNamedAfterIt) {
    QTemporaryDir dir;
    for (const char* nom : {"tervalo", "tervalo.exe", "mon.jeu.bin"}) {
        const QString exe = dir.filePath(QString::fromLatin1(nom));
        const QString attendu = dir.filePath(QFileInfo(exe).completeBaseName() + ".tvo");
        EXPECT_EQ(settingsFilePath(exe, QStringLiteral("/nowhere")), attendu) << nom;
    }
}

TEST(SettingsPath, FollowsTheSymlinkToTheInstalledExecutable) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("lib/tervalo")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("bin")));
    QFile real(dir.filePath(QStringLiteral("lib/tervalo/tervalo")));
    ASSERT_TRUE(real.open(QIODevice::WriteOnly));
    real.close();
    ASSERT_EQ(::symlink("../lib/tervalo/tervalo", qPrintable(dir.filePath("bin/tervalo"))), 0);
    const QString canonique = QFileInfo(dir.path()).canonicalFilePath();
    EXPECT_EQ(
        settingsFilePath(dir.filePath(QStringLiteral("bin/tervalo")), QStringLiteral("/nowhere")),
        canonique + QStringLiteral("/lib/tervalo/tervalo.tvo"));
}

TEST(SettingsPath, AnInstallFolderThatCannotBeWrittenSendsItToTheUserFolder) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes in every folder; run as another user to check this";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("lib")));
    const QString exe = dir.filePath(QStringLiteral("lib/tervalo"));
    QFile f(exe);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QString lib = dir.filePath(QStringLiteral("lib"));
    ASSERT_TRUE(QFile::setPermissions(lib, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_EQ(settingsFilePath(exe, dir.filePath(QStringLiteral("config/tervalo"))),
              dir.filePath(QStringLiteral("config/tervalo/tervalo.tvo")));

    // A file already there that the user may write is still used.
    ASSERT_TRUE(QFile::setPermissions(lib, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner));
    QFile tvo(dir.filePath(QStringLiteral("lib/tervalo.tvo")));
    ASSERT_TRUE(tvo.open(QIODevice::WriteOnly));
    tvo.close();
    ASSERT_TRUE(QFile::setPermissions(lib, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_EQ(settingsFilePath(exe, dir.filePath(QStringLiteral("config/tervalo"))),
              dir.filePath(QStringLiteral("lib/tervalo.tvo")));
    QFile::setPermissions(lib,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(SettingsPath, TheUserFolderIsNamedAfterTheGame) {
    const QByteArray ancien = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/tervalo-config-test");
    EXPECT_EQ(userConfigDirectory(), QStringLiteral("/tmp/tervalo-config-test/tervalo"));
    if (ancien.isNull()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", ancien);
    }
}

} // namespace
