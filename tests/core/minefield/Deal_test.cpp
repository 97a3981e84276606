// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Board.h"
#include "platform/SystemServices.h"
#include "support/BoardFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace {

class DealTest : public ::testing::Test, public BoardFixture {
protected:
    std::vector<int> drawnMines() const {
        return {game.v.PosBombes.begin() + 1, game.v.PosBombes.end()};
    }
};

std::vector<double> drawsFor(const std::vector<int>& cells) {
    std::vector<double> draws;
    for (const int n : cells) {
        draws.push_back(drawFor(n));
    }
    return draws;
}

// Pixels of none of the colours given.
int strayPixels(const QImage& picture, const std::vector<QRgb>& allowed) {
    int stray = 0;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            stray += std::find(allowed.begin(), allowed.end(), row[x]) == allowed.end();
        }
    }
    return stray;
}

} // namespace

TEST_F(DealTest, DrawsThatCannotBeMinesAreDrawnAgain) {
    struct Case {
        const char* why;
        std::vector<double> draws;
        std::vector<int> mines;
    };
    const std::vector<Case> cases{
        {"corners 10 and 91",
         drawsFor({10, 91, 2, 3, 10, 4, 5, 6, 91, 91, 7, 8, 9, 11}),
         {2, 3, 4, 5, 6, 7, 8, 9, 11}},
        {"repeats of earlier mines",
         drawsFor({50, 50, 51, 50, 51, 52, 53, 53, 54, 55, 56, 57, 58}),
         {50, 51, 52, 53, 54, 55, 56, 57, 58}},
        {"the ends of the range", {0.0, std::nextafter(1.0, 0.0), 0.0, 0.5}, {2, 98, 50}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        random.push(c.draws);
        // Whatever the list leaves undrawn comes last, one after the other.
        std::vector<int> rest;
        for (int n = 60; static_cast<int>(c.mines.size() + rest.size()) < 10; ++n) {
            rest.push_back(n);
        }
        random.push(drawsFor(rest));
        constexpr double Sentinel = 0.123;
        random.push({Sentinel});

        game.Rejouer_Click();
        std::vector<int> expected = c.mines;
        expected.insert(expected.end(), rest.begin(), rest.end());
        EXPECT_EQ(drawnMines(), expected);
        EXPECT_EQ(random.next(), Sentinel) << "draws used: not one more, not one less";
    }
}

TEST_F(DealTest, SeedsFromTheSecondsSinceMidnight) {
    clock.dayFraction = (12 * 3600 + 34 * 60 + 56) / 86400.0;
    game.Rejouer_Click();
    clock.dayFraction = 0.0;
    game.Rejouer_Click();
    ASSERT_EQ(random.seeds.size(), 2u);
    EXPECT_FLOAT_EQ(random.seeds[0], 45296.0f);
    EXPECT_FLOAT_EQ(random.seeds[1], 0.0f);
}

TEST_F(DealTest, MinesAreCellsWithNineAndPicturesStandOverThem) {
    deal({98, 2, 45, 9, 11, 90, 81, 20, 55, 56});
    for (int n = 1; n <= 100; ++n) {
        const auto& m = game.v.PosBombes;
        const bool mine = std::find(m.begin() + 1, m.end(), n) != m.end();
        EXPECT_EQ(content(n) == 9, mine) << n;
    }
    for (int k = 1; k <= 10; ++k) {
        const ImageModel& mine = game.c.Bombe[k];
        const QRect button = board::buttonRect(game.v.PosBombes[k]);
        EXPECT_TRUE(mine.visible) << k;
        EXPECT_EQ(mine.geometry,
                  QRect(button.left() + 9, button.top() + 9, board::MineSize, board::MineSize))
            << k;
    }
}

TEST_F(DealTest, LeavesThePanelAndBoardReadyForAGame) {
    // The state the end of a lost game with marks leaves behind.
    game.v.PartiesJouees = 5;
    game.v.NbMarques = 3;
    game.v.NbCouvertes = 10;
    game.c.PJoue.text = QStringLiteral("5");
    game.c.Mines = LabelModel{QStringLiteral("10"), colours::DarkRed, colours::White};
    game.c.Commentaire = LabelModel{QStringLiteral(" Dommage... Perdu !"), colours::LightRed};
    game.c.Rejouer.enabled = true;
    game.c.RAZ.enabled = true;
    game.c.TempsActuel.text = QStringLiteral("0:12:34");
    for (int n = 1; n <= 100; ++n) {
        game.c.BtnBomb[n].visible = n % 2 == 0;
        game.c.BtnBomb[n].enabled = n % 3 == 0;
        game.c.BtnBomb[n].face = n % 5 == 0 ? game.c.RBomb.picture : game.c.iBomb.picture;
    }
    game.c.Bombe[4].visible = true;
    clock.dayFraction = 0.75;
    clock.monotonic = 5'000'000;

    deal({12, 13, 14, 15, 16, 17, 18, 19, 20, 21});

    EXPECT_EQ(game.v.PartiesJouees, 6);
    EXPECT_EQ(game.c.PJoue.text, QStringLiteral("5"));
    EXPECT_EQ(game.v.NbMarques, 0);
    EXPECT_EQ(game.v.NbCouvertes, 100);
    EXPECT_EQ(game.c.Mines.text, QStringLiteral("10"));
    EXPECT_EQ(game.c.Mines.back, colours::Yellow);
    EXPECT_EQ(game.c.Mines.fore, colours::Black);
    EXPECT_EQ(game.c.Commentaire.text, QStringLiteral(" Partie en cours..."));
    EXPECT_EQ(game.c.Commentaire.back, 0xC0E0FF);
    EXPECT_FALSE(game.c.Rejouer.enabled);
    EXPECT_FALSE(game.c.RAZ.enabled);
    for (int n = 1; n <= 100; ++n) {
        EXPECT_TRUE(game.c.BtnBomb[n].visible) << n;
        EXPECT_TRUE(game.c.BtnBomb[n].enabled) << n;
        EXPECT_TRUE(sameFace(game.c.BtnBomb[n].face, game.c.Nuage.picture)) << n;
    }
    EXPECT_EQ(game.c.TempsActuel.text, QStringLiteral("0:00:00"));
    EXPECT_TRUE(game.c.Timer1.enabled);
    EXPECT_EQ(game.c.Timer1.interval, 1000);
    EXPECT_EQ(game.v.HeureDebut, 0.75);
    EXPECT_TRUE(sound.played.isEmpty());
}

TEST_F(DealTest, GamesPlayedStopsAtItsLimit) {
    game.v.PartiesJouees = 32766;
    game.Rejouer_Click();
    EXPECT_EQ(game.v.PartiesJouees, 32767);
    game.Rejouer_Click();
    EXPECT_EQ(game.v.PartiesJouees, 32767);
}

// Many deals from seeded draws, each checked against what the mines alone say it should be.
TEST_F(DealTest, SeededDealsAgreeWithTheirMines) {
    constexpr int Deals = 2000;
    std::vector<QRgb> allowed;
    for (const Colour c : {colours::BoardBackground, colours::Black, colours::Red, 0xFF0000,
                           0x00C000, 0xC000C0, 0x0000C0, 0x0080FF, 0xC0C000, 0x00C0C0}) {
        allowed.push_back(toQRgb(c));
    }
    for (unsigned seed = 1; seed <= 5; ++seed) {
        FixedRandom seeded({}, seed);
        ManualClock seededClock;
        RecordingPlayer silent;
        TestGame g(seeded, seededClock, silent);
        g.buildBoard();
        std::array<Colour, 101> lastColour{};
        for (int d = 0; d < Deals / 5 && !HasFailure(); ++d) {
            g.Rejouer_Click();
            SCOPED_TRACE(::testing::Message() << "seed " << seed << ", deal " << d);

            const std::vector<int> mines(g.v.PosBombes.begin() + 1, g.v.PosBombes.end());
            ASSERT_EQ(std::set<int>(mines.begin(), mines.end()).size(), 10u);
            for (const int m : mines) {
                ASSERT_TRUE(m >= 2 && m <= 98 && m != 10 && m != 91) << m;
            }
            const auto table = reference::contents(mines);
            ASSERT_TRUE(reference::regionValuesAgree(g.v.CouleurZone, table));
            for (int n = 1; n <= 100; ++n) {
                ASSERT_EQ(g.v.Cases[n][3], table[n]) << n;
                if (table[n] >= 1 && table[n] <= 8) {
                    lastColour[n] = g.v.CouleurChiffre[table[n]];
                }
                ASSERT_EQ(g.v.Cases[n][4], lastColour[n]) << n;
            }

            ASSERT_EQ(strayPixels(g.PicFond.image(), allowed), 0);
            for (int k = 1; k <= 10; ++k) {
                ASSERT_EQ(g.c.Bombe[k].geometry.topLeft(),
                          g.c.BtnBomb[mines[k - 1]].geometry.topLeft() + QPoint(9, 9));
            }
        }
        EXPECT_EQ(g.v.PartiesJouees, Deals / 5);
    }
}

// The whole picture, compared with one drawn from the cell table, on fewer deals.
TEST_F(DealTest, SeededDealsLeaveTheExpectedPicture) {
    for (int d = 0; d < 200 && !HasFailure(); ++d) {
        game.Rejouer_Click();
        ASSERT_EQ(game.PicFond.image(), expectedPicture()) << "deal " << d;
    }
}

TEST(SystemRandom, SameSecondSameDraws) {
    SystemRandom a;
    SystemRandom b;
    a.seed(45296.0f);
    b.seed(45296.0f);
    std::vector<double> first;
    for (int i = 0; i < 1000; ++i) {
        const double r = a.next();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        ASSERT_EQ(r, b.next());
        first.push_back(r);
    }
    a.seed(45297.0f);
    int same = 0;
    for (const double r : first) {
        same += a.next() == r;
    }
    EXPECT_LT(same, 5);
}

TEST(SystemRandom, DealsOnTheRealSource) {
    SystemRandom random;
    ManualClock clock;
    RecordingPlayer sound;
    TestGame g(random, clock, sound);
    g.buildBoard();
    for (int d = 0; d < 50; ++d) {
        clock.dayFraction = d / 50.0;
        g.Rejouer_Click();
        const std::set<int> mines(g.v.PosBombes.begin() + 1, g.v.PosBombes.end());
        EXPECT_EQ(mines.size(), 10u);
        EXPECT_EQ(std::count_if(g.v.Cases.begin() + 1, g.v.Cases.end(),
                                [](const auto& cell) { return cell[3] == 9; }),
                  10);
    }
}
