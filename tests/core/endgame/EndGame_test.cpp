// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The won and the lost game, through the window.
#include "support/Play.h"
#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

const std::vector<int> Board{24, 26, 64, 66, 43, 47, 2, 9, 92, 98};

void winGame(WindowFixture& f) {
    for (int n : play::safeCells(f)) {
        if (!f.revealed(n)) {
            f.leftClick(n);
        }
    }
}

QString labelText(const WindowFixture& f, const char* name) {
    return qobject_cast<QLabel*>(f.widget(QString::fromUtf8(name)))->text();
}

class EndOfGame : public ::testing::Test {
protected:
    WindowFixture f;
    void SetUp() override { f.dealThroughWindow(Board); }
};

TEST_F(EndOfGame, WonBoardShowsEveryMineMarkedAndIgnoresBothButtons) {
    const auto& c = f.game.c;
    f.rightClick(24); // mine mark
    f.rightClick(26);
    f.rightClick(26); // question mark
    f.advance(83);
    f.game.Timer1_Timer(); // the clock's tick, as the timer gives it
    f.window->showModel();
    // More time passes before the win than the clock has shown: the best time is what the
    // player saw, not a new reading.
    f.clock.monotonic += 1500;
    winGame(f);

    EXPECT_EQ(c.Commentaire.text, QStringLiteral(" BRAVO !...C'est gagné !"));
    EXPECT_EQ(c.Commentaire.back, colours::Green);
    for (int m : Board) {
        EXPECT_TRUE(sameFace(c.BtnBomb[m].face, c.RBomb.picture)) << m;
        EXPECT_FALSE(f.cellWidget(m)->isHidden()) << m;
        EXPECT_EQ(qobject_cast<QAbstractButton*>(f.cellWidget(m))->icon().cacheKey(),
                  c.RBomb.picture.cacheKey());
    }
    // Every cell frozen; the buttons still shown say so (a hidden one's state shows nowhere).
    for (int n = 1; n <= 100; ++n) {
        EXPECT_FALSE(c.BtnBomb[n].enabled) << n;
        EXPECT_TRUE(f.cellWidget(n)->isHidden() || !f.cellWidget(n)->isEnabled()) << n;
    }
    EXPECT_FALSE(c.Timer1.enabled);
    EXPECT_EQ(c.TempsActuel.text, "0:01:23");
    EXPECT_EQ(c.TempsMeilleur.text, "0:01:23"); // no best time before
    EXPECT_EQ(labelText(f, "PJoué"), "1");
    EXPECT_EQ(labelText(f, "PGagné"), "1");
    EXPECT_EQ(labelText(f, "Pourcent"), "100 %");
    EXPECT_EQ(labelText(f, "VictConsActuelle"), "1");
    EXPECT_EQ(labelText(f, "VictConsMeilleure"), "1");
    EXPECT_EQ(labelText(f, "Mines"), "10");
    EXPECT_TRUE(f.widget("Rejouer")->isEnabled());
    EXPECT_TRUE(f.widget("RAZ")->isEnabled());

    // Nothing on the frozen board answers either button any more.
    const auto before = play::hiddenCells(f);
    f.sound.played.clear();
    for (int m : Board) {
        f.leftClick(m);
        f.rightClick(m);
    }
    EXPECT_TRUE(f.sound.played.isEmpty());
    EXPECT_EQ(play::hiddenCells(f), before);
    EXPECT_EQ(f.game.v.NbMarques, 2);
    EXPECT_EQ(f.game.v.PartiesGagnees, 1);
}

TEST_F(EndOfGame, LostBoardIsUncoveredAndTheBestTimeKept) {
    auto& c = f.game.c;
    c.TempsMeilleur.text = QStringLiteral("0:05:00");
    f.rightClick(24);
    f.rightClick(26);
    f.rightClick(26);
    f.advance(3);
    f.game.Timer1_Timer();
    f.window->showModel();
    f.leftClick(64);

    for (int n = 1; n <= 100; ++n) {
        EXPECT_TRUE(f.cellWidget(n)->isHidden()) << n;
    }
    EXPECT_EQ(labelText(f, "Mines"), "10");
    EXPECT_EQ(c.Commentaire.text, QStringLiteral(" Dommage... Perdu !"));
    EXPECT_EQ(c.Commentaire.back, colours::LightRed);
    EXPECT_EQ(c.TempsMeilleur.text, "0:05:00");
    EXPECT_EQ(c.TempsActuel.text, "0:00:03");
    EXPECT_FALSE(c.Timer1.enabled);
    EXPECT_EQ(labelText(f, "PJoué"), "1");
    EXPECT_EQ(labelText(f, "Pourcent"), "0 %");
    // Every mine picture lies on the uncovered board, over its mine.
    for (int k = 1; k <= 10; ++k) {
        QWidget* mine = f.widget(QStringLiteral("Bombe_%1").arg(k));
        EXPECT_FALSE(mine->isHidden());
        EXPECT_EQ(mine->pos(), f.cellWidget(Board[k - 1])->pos() + QPoint(9, 9));
    }
}

} // namespace
