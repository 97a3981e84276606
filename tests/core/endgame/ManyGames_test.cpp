// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A thousand seeded games played through the window by a simple player that mixes cells its
// numbers prove safe, random clicks and random marks, with the game's invariants checked after
// every action.
#include "support/Play.h"
#include "support/WindowFixture.h"

#include <QLabel>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>

namespace {

enum class State { InProgress, Won, Lost };

class Player {
public:
    Player(WindowFixture& f, std::mt19937& rng) : f_(f), rng_(rng) {}

    // One action; returns the state the game must be in afterwards.
    State act() {
        std::vector<int> covered;
        for (int n = 1; n <= 100; ++n) {
            if (!f_.revealed(n)) {
                covered.push_back(n);
            }
        }
        const int roll = std::uniform_int_distribution<int>(0, 99)(rng_);
        const int safe = provenSafe();
        if (roll < 70 && safe != 0) {
            if (!sameFace(face(safe), f_.game.c.Nuage.picture)) {
                return mark(safe); // take the mark off first
            }
            return reveal(safe);
        }
        const int cell =
            covered[std::uniform_int_distribution<std::size_t>(0, covered.size() - 1)(rng_)];
        return std::uniform_int_distribution<int>(0, 99)(rng_) < 30 ? mark(cell) : reveal(cell);
    }

    int marks = 0;

private:
    const QIcon& face(int n) const { return f_.game.c.BtnBomb[n].face; }

    State mark(int cell) {
        const auto& c = f_.game.c;
        if (sameFace(face(cell), c.Nuage.picture)) {
            ++marks;
        } else if (sameFace(face(cell), c.iBomb.picture)) {
            --marks;
        }
        f_.rightClick(cell);
        return expectedState();
    }

    State reveal(int cell) {
        const bool marked = !sameFace(face(cell), f_.game.c.Nuage.picture);
        const auto before = play::hiddenCells(f_);
        f_.leftClick(cell);
        if (marked) {
            EXPECT_EQ(play::hiddenCells(f_), before) << "a marked cell opened";
            return State::InProgress;
        }
        if (play::isMine(f_, cell)) {
            return State::Lost;
        }
        return expectedState();
    }

    State expectedState() const {
        for (int n : play::safeCells(f_)) {
            if (!f_.revealed(n)) {
                return State::InProgress;
            }
        }
        return State::Won;
    }

    // A covered cell that a revealed number proves free of mines, or 0.
    int provenSafe() const {
        std::vector<bool> knownMine(101, false);
        for (int n = 1; n <= 100; ++n) {
            if (!f_.revealed(n) || f_.content(n) == 0) {
                continue;
            }
            std::vector<int> hidden;
            for (int k : play::neighbours(n)) {
                if (!f_.revealed(k)) {
                    hidden.push_back(k);
                }
            }
            if (static_cast<int>(hidden.size()) == f_.content(n)) {
                for (int k : hidden) {
                    knownMine[static_cast<std::size_t>(k)] = true;
                }
            }
        }
        for (int n = 1; n <= 100; ++n) {
            if (!f_.revealed(n) || f_.content(n) == 0) {
                continue;
            }
            int mines = 0;
            int candidate = 0;
            for (int k : play::neighbours(n)) {
                if (!f_.revealed(k)) {
                    if (knownMine[static_cast<std::size_t>(k)]) {
                        ++mines;
                    } else {
                        candidate = k;
                    }
                }
            }
            if (mines == f_.content(n) && candidate != 0) {
                return candidate;
            }
        }
        return 0;
    }

    WindowFixture& f_;
    std::mt19937& rng_;
};

QString shownText(const WindowFixture& f, const char* name) {
    return qobject_cast<QLabel*>(f.widget(QString::fromUtf8(name)))->text();
}

void checkBoard(const WindowFixture& f, State state, int marks) {
    const auto& c = f.game.c;
    for (int n = 1; n <= 100; ++n) {
        ASSERT_EQ(f.cellWidget(n)->isHidden(), !c.BtnBomb[n].visible) << n;
        // A hidden button's state shows nowhere, and is left as it was.
        if (c.BtnBomb[n].visible) {
            ASSERT_EQ(f.cellWidget(n)->isEnabled(), c.BtnBomb[n].enabled) << n;
        }
        if (f.revealed(n) && f.content(n) == 0) {
            for (int k : play::neighbours(n)) {
                ASSERT_TRUE(f.revealed(k)) << "empty cell " << n << " left " << k << " covered";
            }
        }
    }
    ASSERT_EQ(f.game.v.NbMarques, marks);
    switch (state) {
    case State::InProgress:
        ASSERT_TRUE(c.Timer1.enabled);
        ASSERT_EQ(c.Commentaire.text, QStringLiteral(" Partie en cours..."));
        break;
    case State::Won:
        ASSERT_FALSE(c.Timer1.enabled);
        ASSERT_EQ(c.Commentaire.text, QStringLiteral(" BRAVO !...C'est gagné !"));
        break;
    case State::Lost:
        ASSERT_FALSE(c.Timer1.enabled);
        ASSERT_EQ(c.Commentaire.text, QStringLiteral(" Dommage... Perdu !"));
        ASSERT_EQ(play::hiddenCells(f).size(), 100u);
        break;
    }
}

QString expectedRate(int won, int played) {
    const double rounded = std::round(won * 100.0 / played * 100.0) / 100.0;
    return QLocale::system().toString(static_cast<double>(static_cast<float>(rounded)), 'g', 7) +
           QStringLiteral(" %");
}

TEST(ManyGames, InvariantsHoldAfterEveryAction) {
    const int games = qEnvironmentVariableIsSet("TERVALO_SANITIZED") ? 150 : 1000;
    WindowFixture f;
    std::mt19937 rng(20261207);
    int won = 0;
    int run = 0;
    int bestRun = 0;
    int actions = 0;
    for (int g = 1; g <= games; ++g) {
        f.click("Rejouer");
        Player player(f, rng);
        State state = State::InProgress;
        checkBoard(f, state, 0);
        while (state == State::InProgress) {
            state = player.act();
            ++actions;
            checkBoard(f, state, player.marks);
            if (::testing::Test::HasFatalFailure()) {
                FAIL() << "game " << g << " after " << actions << " actions";
            }
        }
        won += state == State::Won ? 1 : 0;
        run = state == State::Won ? run + 1 : 0;
        bestRun = std::max(bestRun, run);
        ASSERT_EQ(shownText(f, "PJoué"), QString::number(g));
        ASSERT_EQ(shownText(f, "PGagné"), QString::number(won));
        ASSERT_EQ(shownText(f, "VictConsActuelle"), QString::number(run));
        if (bestRun > 0) {
            ASSERT_EQ(shownText(f, "VictConsMeilleure"), QString::number(bestRun));
        }
        ASSERT_EQ(shownText(f, "Pourcent"), expectedRate(won, g));
    }
    // The player must have met both ends of a game often enough for the test to mean something.
    EXPECT_GT(won, games / 20);
    EXPECT_LT(won, games);
}

} // namespace
