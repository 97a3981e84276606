// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/stats/Statistics.h"
#include "support/Fakes.h"
#include "support/Files.h"
#include "support/TestGame.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct RateCase {
    int won;
    int played;
    const char* text;
};

class RateTable : public ::testing::TestWithParam<RateCase> {};

TEST_P(RateTable, ShowsTheRoundedRateWithPercentSign) {
    const RateCase t = GetParam();
    const float p =
        successRate(static_cast<std::int16_t>(t.won), static_cast<std::int16_t>(t.played));
    EXPECT_EQ(rateText(p, QLocale::c()), QString::fromLatin1(t.text));
}

INSTANTIATE_TEST_SUITE_P(
    Rates, RateTable,
    ::testing::Values(RateCase{0, 5, "0 %"}, RateCase{1, 2, "50 %"}, RateCase{3, 3, "100 %"},
                      RateCase{1, 8, "12.5 %"}, RateCase{2, 3, "66.67 %"},
                      RateCase{1, 3, "33.33 %"},
                      // 0.625 exactly: the half goes away from zero.
                      RateCase{1, 160, "0.63 %"},
                      // 66.665 exactly: a double would read 66.66499..., the rate is 66.67.
                      RateCase{13333, 20000, "66.67 %"}, RateCase{1, 200, "0.5 %"},
                      RateCase{1, 20000, "0.01 %"}, RateCase{1, 30000, "0 %"},
                      // Past 327 wins the product no longer fits 16 bits.
                      RateCase{400, 500, "80 %"}, RateCase{32767, 32767, "100 %"},
                      RateCase{32767, 1, "3276700 %"}, RateCase{3, 7, "42.86 %"},
                      // Wins without a game played, or counts below zero (hand-edited file).
                      RateCase{4, 0, "0 %"}, RateCase{4, -3, "0 %"}, RateCase{-2, 5, "0 %"}));

TEST(Rate, IsTheFloatNearestTheTwoDecimalValue) {
    EXPECT_EQ(successRate(2, 3), 66.67f);
    EXPECT_EQ(successRate(1, 160), 0.63f);
    EXPECT_EQ(successRate(1, 8), 12.5f);
    EXPECT_EQ(successRate(0, 0), 0.0f);
}

TEST(Rate, UsesTheRegionalDecimalSeparatorWithoutGrouping) {
    const QLocale french(QLocale::French, QLocale::France);
    EXPECT_EQ(rateText(66.67f, french), QStringLiteral("66,67 %"));
    EXPECT_EQ(rateText(0.63f, french), QStringLiteral("0,63 %"));
    EXPECT_EQ(rateText(100.0f, french), QStringLiteral("100 %"));
    EXPECT_EQ(rateText(3276700.0f, QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("3276700 %"));
    EXPECT_EQ(rateText(12.5f, QLocale(QLocale::German)), QStringLiteral("12,5 %"));
}

struct Record {
    const char* best;
    const char* time;
    bool replaces;
};

class BestTimeTable : public ::testing::TestWithParam<Record> {};

TEST_P(BestTimeTable, DecidesWhetherTheWinIsARecord) {
    const Record r = GetParam();
    EXPECT_EQ(beatsBestTime(QString::fromLatin1(r.best), QString::fromLatin1(r.time)), r.replaces)
        << "best " << r.best << ", won in " << r.time;
}

INSTANTIATE_TEST_SUITE_P(
    BestTimes, BestTimeTable,
    ::testing::Values(
        Record{"0:01:05", "0:00:59", true}, Record{"0:01:05", "0:01:05", false},
        Record{"0:00:59", "0:01:05", false}, Record{"", "0:03:00", true},
        Record{"0", "0:03:00", true}, Record{"0:00:00", "1:03:00", true},
        // Ten hours or more compare as durations, not as text.
        Record{"9:59:59", "10:00:00", false}, Record{"10:00:00", "9:59:59", true},
        Record{"123:00:00", "99:59:59", true}, Record{"0:02:00", "0:10:00", false},
        // Leading zeros in the hours do not change the duration: equal keeps the best.
        Record{"00:01:00", "0:01:00", false},
        Record{"1000000000000000000000:00:00", "999999999999999999999:59:59", true},
        // Not both valid times: character codes, a beginning sorts first.
        Record{"abc", "0:00:10", true}, Record{"0:00:10", "abc", false},
        Record{"0:60:00", "0:59:00", true}, Record{"0:59:00", "0:60:00", false},
        Record{"1:00", "1:00:00", false}, Record{"1:00:00", "1:00", true},
        Record{"0:01:00\n", "0:01:00", true}, Record{" 0:00:05", "0:00:04", false}));

// A game between two deals, with its settings file in a temporary folder.
class MarquageTest : public ::testing::Test {
protected:
    MarquageTest() : game(random, clock, sound) {
        game.locale = QLocale::c();
        game.v.FichierParametres = dir.filePath(QStringLiteral("tervalo.tvo"));
    }

    QByteArray fileBytes() const { return readFileBytes(game.v.FichierParametres); }

    QTemporaryDir dir;
    FixedRandom random;
    ManualClock clock;
    RecordingPlayer sound;
    TestGame game;
};

TEST_F(MarquageTest, ShowsTheCountersAndReturnsToTheStateBetweenGames) {
    game.v.PartiesJouees = 3;
    game.v.PartiesGagnees = 2;
    game.v.VictCons = 2;
    game.v.VictConsMax = 1;
    game.c.Mines = LabelModel{QStringLiteral("7"), colours::InProgress, colours::Black};
    game.c.Rejouer.enabled = false;
    game.c.RAZ.enabled = false;
    game.c.Timer1.enabled = true;

    game.Marquage();

    EXPECT_EQ(game.c.PJoue.text, QStringLiteral("3"));
    EXPECT_EQ(game.c.PGagne.text, QStringLiteral("2"));
    EXPECT_EQ(game.v.Pourcentage, 66.67f);
    EXPECT_EQ(game.c.Pourcent.text, QStringLiteral("66.67 %"));
    EXPECT_EQ(game.c.Mines.text, QStringLiteral("10"));
    EXPECT_EQ(game.c.Mines.back, 192);
    EXPECT_EQ(game.c.Mines.fore, colours::White);
    EXPECT_EQ(game.c.VictConsActuelle.text, QStringLiteral("2"));
    EXPECT_EQ(game.v.VictConsMax, 2);
    EXPECT_EQ(game.c.VictConsMeilleure.text, QStringLiteral("2"));
    EXPECT_TRUE(game.c.Rejouer.enabled);
    EXPECT_TRUE(game.c.RAZ.enabled);
    EXPECT_FALSE(game.c.Timer1.enabled);
}

TEST_F(MarquageTest, ShowsTheRateWithTheGamesSeparator) {
    game.locale = QLocale(QLocale::French, QLocale::France);
    game.v.PartiesJouees = 3;
    game.v.PartiesGagnees = 2;
    game.Marquage();
    EXPECT_EQ(game.c.Pourcent.text, QStringLiteral("66,67 %"));
}

TEST_F(MarquageTest, RaisesTheBestRunOnlyWhenItIsPassed) {
    // Three wins, a loss, two wins, as the end of each game leaves the counters.
    const int runs[] = {1, 2, 3, 0, 1, 2};
    const char* best[] = {"1", "2", "3", "3", "3", "3"};
    for (int i = 0; i < 6; ++i) {
        game.v.VictCons = static_cast<std::int16_t>(runs[i]);
        game.Marquage();
        EXPECT_EQ(game.c.VictConsActuelle.text, QString::number(runs[i])) << "game " << i;
        EXPECT_EQ(game.c.VictConsMeilleure.text, QString::fromLatin1(best[i])) << "game " << i;
    }
}

TEST_F(MarquageTest, KeepsTheBestRunTextAsReadUntilPassed) {
    game.c.VictConsMeilleure.text = QStringLiteral("007");
    game.v.VictConsMax = 7;
    for (int run = 1; run <= 7; ++run) {
        game.v.VictCons = static_cast<std::int16_t>(run);
        game.Marquage();
        EXPECT_EQ(game.c.VictConsMeilleure.text, QStringLiteral("007")) << "run " << run;
    }
    game.v.VictCons = 8;
    game.Marquage();
    EXPECT_EQ(game.c.VictConsMeilleure.text, QStringLiteral("8"));
    EXPECT_EQ(game.v.VictConsMax, 8);
}

TEST_F(MarquageTest, ResetWithNoFileCreatesItWithTheFiveKeysInOrder) {
    game.v.PartiesJouees = 12;
    game.v.PartiesGagnees = 7;
    game.v.VictCons = 2;
    game.v.VictConsMax = 3;
    game.v.SonActif = 0;
    game.c.Sons[0].value = 0;
    game.c.Sons[1].value = 1;
    game.c.TempsMeilleur.text = QStringLiteral("0:01:47");
    game.c.VictConsActuelle.text = QStringLiteral("2");
    game.c.VictConsMeilleure.text = QStringLiteral("3");
    game.c.Pourcent.text = QStringLiteral("58.33 %");
    game.c.TempsActuel.text = QStringLiteral("0:00:41");
    game.c.Commentaire.text = QStringLiteral(" BRAVO !...C'est gagné !");

    game.RAZ_Click();

    EXPECT_EQ(fileBytes(), QByteArray("[Parametres]\r\nTemps=\r\nPConsecutives=0\r\nPjoue=0\r\n"
                                      "PGagne=0\r\nSonore=0\r\n"));
    EXPECT_EQ(game.c.TempsMeilleur.text, QStringLiteral("0"));
    EXPECT_EQ(game.c.VictConsMeilleure.text, QStringLiteral("0"));
    EXPECT_EQ(game.c.PJoue.text, QStringLiteral("0"));
    EXPECT_EQ(game.c.PGagne.text, QStringLiteral("0"));
    EXPECT_EQ(game.c.Pourcent.text, QStringLiteral("0 %"));
    EXPECT_EQ(game.v.PartiesJouees, 0);
    EXPECT_EQ(game.v.PartiesGagnees, 0);
    EXPECT_EQ(game.v.VictConsMax, 0);
    // "Oui" is selected and the sound really is on.
    EXPECT_EQ(game.c.Sons[0].value, 1);
    EXPECT_EQ(game.c.Sons[1].value, 0);
    EXPECT_EQ(game.v.SonActif, -1);
    // The current run, the clock and the message line go on.
    EXPECT_EQ(game.v.VictCons, 2);
    EXPECT_EQ(game.c.VictConsActuelle.text, QStringLiteral("2"));
    EXPECT_EQ(game.c.TempsActuel.text, QStringLiteral("0:00:41"));
    EXPECT_EQ(game.c.Commentaire.text, QStringLiteral(" BRAVO !...C'est gagné !"));

    // The next win raises the best run to the current run plus one.
    game.v.VictCons = 3;
    game.Marquage();
    EXPECT_EQ(game.c.VictConsMeilleure.text, QStringLiteral("3"));
}

TEST_F(MarquageTest, ResetReplacesTheValuesInPlaceAndKeepsOtherLines) {
    writeFileBytes(game.v.FichierParametres,
                   "; mes notes\r\n[Autre]\r\nTemps=9\r\n[PARAMETRES]\r\nSonore=1\r\nPJOUE=9\r\n"
                   "Temps=0:01:47\r\n");
    game.RAZ_Click();
    EXPECT_EQ(fileBytes(), QByteArray("; mes notes\r\n[Autre]\r\nTemps=9\r\n[PARAMETRES]\r\n"
                                      "Sonore=0\r\nPJOUE=0\r\nTemps=\r\nPConsecutives=0\r\n"
                                      "PGagne=0\r\n"));
}

TEST_F(MarquageTest, ResetIsRefusedDuringAGame) {
    game.v.PartiesJouees = 4;
    game.c.PJoue.text = QStringLiteral("3");
    game.c.RAZ.enabled = false;
    game.RAZ_Click();
    EXPECT_EQ(game.v.PartiesJouees, 4);
    EXPECT_EQ(game.c.PJoue.text, QStringLiteral("3"));
    EXPECT_EQ(fileBytes(), QByteArray("<no file>"));
}

TEST_F(MarquageTest, ResetGoesOnWhenTheFileCannotBeWritten) {
    game.v.FichierParametres = dir.path(); // a folder where the file should be
    game.v.PartiesJouees = 4;
    game.RAZ_Click();
    EXPECT_EQ(game.v.PartiesJouees, 0);
    EXPECT_EQ(game.c.Pourcent.text, QStringLiteral("0 %"));
}

} // namespace
