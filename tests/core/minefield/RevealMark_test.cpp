// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Revealing and marking cells, driven through the window as a player does.
#include "support/Play.h"
#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QLabel>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Cell 45 is empty but every one of its neighbours touches a mine: it opens nothing around it.
const std::vector<int> IsolatedEmpty{24, 26, 64, 66, 43, 47, 2, 9, 92, 98};
// Mines packed along the top: the rest of the board is one wide empty region.
const std::vector<int> TopRow{2, 3, 4, 5, 6, 7, 8, 9, 11, 20};

const QStringList Pop{QStringLiteral("\\POP.wav")};

// Left clicks every safe cell still covered but those given, which stay covered.
void openAllBut(WindowFixture& f, const std::set<int>& kept) {
    for (const int n : play::safeCells(f)) {
        if (!kept.contains(n) && !f.revealed(n)) {
            f.leftClick(n);
        }
    }
    ASSERT_TRUE(std::ranges::none_of(kept, [&](int n) { return f.revealed(n); }));
}

class Marking : public ::testing::Test {
protected:
    WindowFixture f;
    void SetUp() override { f.dealThroughWindow(IsolatedEmpty); }
    const QIcon& face(int cell) const { return f.game.c.BtnBomb[cell].face; }
    QString minesText() const { return qobject_cast<QLabel*>(f.widget("Mines"))->text(); }
};

TEST_F(Marking, RightClicksCycleThroughTheThreeFacesAndCountMarks) {
    const auto& c = f.game.c;
    struct Step {
        const QIcon& face;
        int marks;
        const char* label;
    };
    // After the deal the counter still shows what start-up left on it.
    EXPECT_EQ(minesText(), "10");
    const Step steps[] = {{c.RBomb.picture, 1, "1"},
                          {c.iBomb.picture, 1, "1"},
                          {c.Nuage.picture, 0, "0"},
                          {c.RBomb.picture, 1, "1"}};
    int pops = 0;
    for (const Step& s : steps) {
        f.rightClick(37);
        ++pops;
        EXPECT_TRUE(sameFace(face(37), s.face));
        EXPECT_EQ(f.game.v.NbMarques, s.marks);
        EXPECT_EQ(minesText(), s.label);
        // The button on screen holds the very same picture object.
        EXPECT_EQ(qobject_cast<QAbstractButton*>(f.cellWidget(37))->icon().cacheKey(),
                  face(37).cacheKey());
        EXPECT_EQ(f.sound.played.size(), pops);
    }
    EXPECT_EQ(f.sound.played, QStringList(pops, QStringLiteral("\\POP.wav")));
}

TEST_F(Marking, CounterTurnsDarkRedAtTenAndStaysSo) {
    // Right clicks, then what the counter shows: back to 10, then 9, by taking the last marks
    // off (a question mark first), the colours never go back.
    const struct {
        std::vector<int> clicks;
        const char* text;
        Colour back, fore;
    } steps[] = {
        {{12, 13, 14, 15, 16, 17, 18, 19, 21}, "9", colours::Yellow, colours::Black},
        {{22}, "10", colours::DarkRed, colours::White},
        {{23}, "11", colours::DarkRed, colours::White},
        {{23, 23}, "10", colours::DarkRed, colours::White},
        {{22, 22}, "9", colours::DarkRed, colours::White},
    };
    const auto& mines = f.game.c.Mines;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        for (const int cell : steps[i].clicks) {
            f.rightClick(cell);
        }
        EXPECT_EQ(mines.text, steps[i].text);
        EXPECT_EQ(mines.back, steps[i].back);
        EXPECT_EQ(mines.fore, steps[i].fore);
    }
}

TEST_F(Marking, MarkedCellIgnoresLeftClicks) {
    for (int clicks = 1; clicks <= 2; ++clicks) { // mine mark, then question mark
        f.rightClick(35);
        f.sound.played.clear();
        f.leftClick(35);
        EXPECT_FALSE(f.cellWidget(35)->isHidden());
        EXPECT_TRUE(f.sound.played.isEmpty());
        EXPECT_EQ(f.game.v.NbMarques, 1);
        EXPECT_TRUE(f.game.gameInProgress());
    }
}

TEST_F(Marking, MarksPlayNoPartInTheWin) {
    for (int m : IsolatedEmpty) {
        f.rightClick(m);
    }
    EXPECT_EQ(f.game.v.NbMarques, 10);
    // Cell 45 is opened by no other click: leave it for last.
    ASSERT_NO_FATAL_FAILURE(openAllBut(f, {45}));
    EXPECT_TRUE(f.game.gameInProgress());
    f.leftClick(45);
    EXPECT_FALSE(f.game.gameInProgress());
    EXPECT_EQ(f.game.c.Commentaire.text, QStringLiteral(" BRAVO !...C'est gagné !"));
}

TEST_F(Marking, SoundSwitchedOffMakesNoRequestAtAll) {
    f.click("Sons_1");
    EXPECT_EQ(f.game.v.SonActif, 0);
    f.rightClick(35); // mark
    f.leftClick(34);  // a number
    f.leftClick(45);  // an empty cell
    f.leftClick(24);  // a mine
    EXPECT_TRUE(f.sound.played.isEmpty());
    f.click("Rejouer");
    f.click("Sons_0");
    f.rightClick(35);
    EXPECT_EQ(f.sound.played, Pop);
}

class Revealing : public ::testing::Test {
protected:
    WindowFixture f;
};

TEST_F(Revealing, NumberCellRevealsOnlyItself) {
    f.dealThroughWindow(IsolatedEmpty);
    ASSERT_GE(f.content(34), 1);
    ASSERT_LE(f.content(34), 8);
    f.leftClick(34);
    EXPECT_EQ(play::hiddenCells(f), std::set<int>{34});
    EXPECT_TRUE(f.cellWidget(34)->isHidden());
    EXPECT_TRUE(f.sound.played.isEmpty());
    EXPECT_EQ(f.game.v.NbCouvertes, 100);
}

TEST_F(Revealing, EmptyCellOpensItsRegionAndEveryCellTouchingIt) {
    f.dealThroughWindow(IsolatedEmpty);
    for (int start : {100, 45}) {
        ASSERT_EQ(f.content(start), 0) << start;
    }
    // A wide region first, then a region of one cell.
    f.leftClick(100);
    std::set<int> expected = play::openedBy(f, 100);
    EXPECT_EQ(play::hiddenCells(f), expected);
    EXPECT_EQ(f.sound.played, QStringList{QStringLiteral("\\YEAH.wav")});

    f.leftClick(45);
    const std::set<int> around45 = play::openedBy(f, 45);
    expected.insert(around45.begin(), around45.end());
    EXPECT_EQ(play::hiddenCells(f), expected);
    for (int n : expected) {
        EXPECT_TRUE(f.cellWidget(n)->isHidden()) << n;
    }
}

TEST_F(Revealing, MarkedCellsInsideAnOpenedAreaAreRevealedAndStayCounted) {
    f.dealThroughWindow(TopRow);
    f.rightClick(77);
    f.rightClick(78);
    f.rightClick(78); // a question mark
    f.leftClick(55);
    EXPECT_TRUE(f.revealed(77));
    EXPECT_TRUE(f.revealed(78));
    EXPECT_EQ(f.game.v.NbMarques, 2);
    EXPECT_EQ(f.game.c.Mines.text, "2");
}

TEST_F(Revealing, EmptyCellWithoutRegionValuePlaysBothSoundsAndOpensOnlyItself) {
    f.dealThroughWindow(TopRow);
    f.game.v.CouleurZone[55] = 0;
    f.leftClick(55);
    EXPECT_EQ(play::hiddenCells(f), std::set<int>{55});
    EXPECT_EQ(f.sound.played,
              (QStringList{QStringLiteral("\\YEAH.wav"), QStringLiteral("\\POP.wav")}));
}

TEST_F(Revealing, WinFoundAtTheFirstCheckPlaysNoYeah) {
    f.dealThroughWindow(IsolatedEmpty);
    ASSERT_NO_FATAL_FAILURE(openAllBut(f, {45}));
    ASSERT_TRUE(f.game.gameInProgress());
    f.sound.played.clear();
    f.leftClick(45);
    EXPECT_EQ(f.sound.played, QStringList{QStringLiteral("\\HALLELU1.wav")});
    EXPECT_EQ(f.game.v.NbCouvertes, 10);
    EXPECT_EQ(f.game.v.PartiesGagnees, 1);
}

TEST_F(Revealing, WinFoundAfterOpeningARegionFollowsTheYeah) {
    f.dealThroughWindow(TopRow);
    ASSERT_NO_FATAL_FAILURE(openAllBut(f, play::openedBy(f, 55)));
    ASSERT_TRUE(f.game.gameInProgress());
    f.sound.played.clear();
    f.leftClick(55);
    EXPECT_EQ(f.sound.played,
              (QStringList{QStringLiteral("\\YEAH.wav"), QStringLiteral("\\HALLELU1.wav")}));
    EXPECT_EQ(f.game.v.PartiesGagnees, 1);
}

TEST_F(Revealing, MineLosesTheGame) {
    f.dealThroughWindow(IsolatedEmpty);
    f.leftClick(34);
    f.leftClick(43);
    EXPECT_EQ(f.sound.played, QStringList{QStringLiteral("\\Explosion.wav")});
    EXPECT_EQ(f.game.c.Commentaire.text, QStringLiteral(" Dommage... Perdu !"));
    EXPECT_TRUE(f.widget("Rejouer")->isEnabled());
    EXPECT_EQ(f.game.v.PartiesGagnees, 0);
    EXPECT_EQ(f.game.v.NbCouvertes, 100);
    EXPECT_EQ(play::hiddenCells(f).size(), 100u);
}

} // namespace
