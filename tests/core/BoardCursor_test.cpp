// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The board's cursor and its keys, on the game alone.
#include "support/BoardFixture.h"

#include <gtest/gtest.h>

namespace {

// Row 1 holds eight mines (2 to 9), row 2 two more (12, 13): 1 is a 2, 14 a 4, 100 lies in the
// one empty region.
const std::vector<int> Mines{2, 3, 4, 5, 6, 7, 8, 9, 12, 13};

struct BoardCursorTest : ::testing::Test, BoardFixture {
    Game::KeyOutcome press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                           bool autoRepeat = false) {
        return game.PicFond_KeyDown(key, modifiers, autoRepeat);
    }
};

TEST_F(BoardCursorTest, KeysMoveOneCellOrToARowOrColumnEndAndStopAtTheEdges) {
    const struct {
        int from;
        int key;
        Qt::KeyboardModifiers modifiers;
        int to;
    } cases[] = {
        {37, Qt::Key_Left, Qt::NoModifier, 36},      {37, Qt::Key_Right, Qt::NoModifier, 38},
        {37, Qt::Key_Up, Qt::NoModifier, 27},        {37, Qt::Key_Down, Qt::KeypadModifier, 47},
        {31, Qt::Key_Left, Qt::NoModifier, 31}, // not onto the row above
        {40, Qt::Key_Right, Qt::NoModifier, 40},     {7, Qt::Key_Up, Qt::NoModifier, 7},
        {97, Qt::Key_Down, Qt::NoModifier, 97},      {37, Qt::Key_Home, Qt::NoModifier, 31},
        {37, Qt::Key_End, Qt::NoModifier, 40},       {37, Qt::Key_Home, Qt::ControlModifier, 1},
        {37, Qt::Key_End, Qt::ControlModifier, 100}, {37, Qt::Key_PageUp, Qt::NoModifier, 7},
        {37, Qt::Key_PageDown, Qt::NoModifier, 97},  {37, Qt::Key_Left, Qt::ControlModifier, 37},
        {37, Qt::Key_Left, Qt::AltModifier, 37},
    };
    // Between games as during one, on covered and revealed cells alike.
    for (const bool dealt : {false, true}) {
        if (dealt) {
            deal(Mines);
            game.BtnBomb_Click(100);
        }
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << dealt << ": " << c.from << " key " << c.key);
            ASSERT_TRUE(game.cursor.place(c.from) || c.from == game.cursor.cell());
            const Game::KeyOutcome outcome = press(c.key, c.modifiers);
            EXPECT_EQ(game.cursor.cell(), c.to);
            EXPECT_EQ(outcome, c.to != c.from ? Game::KeyOutcome::Moved
                               : c.modifiers & (Qt::ControlModifier | Qt::AltModifier)
                                   ? Game::KeyOutcome::NotABoardKey
                                   : Game::KeyOutcome::Nothing);
        }
    }
    EXPECT_FALSE(game.cursor.place(0));
    EXPECT_FALSE(game.cursor.place(101));
    EXPECT_EQ(game.cursor.cell(), 37);
}

TEST_F(BoardCursorTest, RevealAndMarkKeysPlayOnlyACoveredCellOfAGameInProgress) {
    // Before the first deal nothing is played.
    EXPECT_EQ(press(Qt::Key_Space), Game::KeyOutcome::Nothing);
    EXPECT_EQ(press(Qt::Key_M), Game::KeyOutcome::Nothing);
    EXPECT_EQ(game.v.PartiesJouees, 0);

    deal(Mines);
    const auto& c = game.c;
    game.cursor.place(14);
    EXPECT_EQ(press(Qt::Key_M), Game::KeyOutcome::Played);
    EXPECT_TRUE(sameFace(c.BtnBomb[14].face, c.RBomb.picture));
    // Held down, the mark key marks once.
    EXPECT_EQ(press(Qt::Key_M, Qt::NoModifier, true), Game::KeyOutcome::Nothing);
    EXPECT_TRUE(sameFace(c.BtnBomb[14].face, c.RBomb.picture));
    // A marked cell is not revealed, as with a left click.
    for (const int key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        press(key);
        EXPECT_FALSE(revealed(14));
    }
    EXPECT_EQ(press(Qt::Key_Menu, Qt::ShiftModifier), Game::KeyOutcome::Played);
    EXPECT_TRUE(sameFace(c.BtnBomb[14].face, c.iBomb.picture));
    press(Qt::Key_Return);
    EXPECT_FALSE(revealed(14));
    press(Qt::Key_M);
    EXPECT_TRUE(sameFace(c.BtnBomb[14].face, c.Nuage.picture));
    EXPECT_EQ(game.v.NbMarques, 0);
    EXPECT_EQ(press(Qt::Key_Enter, Qt::KeypadModifier), Game::KeyOutcome::Played);
    EXPECT_TRUE(revealed(14));

    // Nothing on a revealed cell; the cursor stays on it.
    const QStringList sounds = sound.played;
    EXPECT_EQ(press(Qt::Key_M), Game::KeyOutcome::Nothing);
    EXPECT_EQ(press(Qt::Key_Space), Game::KeyOutcome::Nothing);
    EXPECT_EQ(sound.played, sounds);
    EXPECT_EQ(game.cursor.cell(), 14);

    // Lost: between games the keys play nothing.
    game.cursor.place(2);
    press(Qt::Key_Space);
    ASSERT_FALSE(game.gameInProgress());
    EXPECT_EQ(game.cursor.cell(), 2);
    const int played = game.v.PartiesJouees;
    for (const int key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_M, Qt::Key_Menu}) {
        EXPECT_EQ(press(key), Game::KeyOutcome::Nothing);
    }
    EXPECT_EQ(game.v.PartiesJouees, played);
}

TEST_F(BoardCursorTest, ACellIsDescribedByWhatItShowsThenItsPlace) {
    const auto say = [this](int n) { return game.cellDescription(n).toStdString(); };
    EXPECT_EQ(say(37), "couverte, ligne 4, colonne 7");
    EXPECT_EQ(say(1), "couverte, ligne 1, colonne 1");
    deal(Mines);
    EXPECT_EQ(say(100), "couverte, ligne 10, colonne 10");
    game.BtnBomb_MouseUp(37, MouseButton::Right);
    EXPECT_EQ(say(37), "mine marquée, ligne 4, colonne 7");
    game.BtnBomb_MouseUp(37, MouseButton::Right);
    EXPECT_EQ(say(37), "point d'interrogation, ligne 4, colonne 7");
    game.BtnBomb_Click(14);
    EXPECT_EQ(say(14), "4, ligne 2, colonne 4");
    game.BtnBomb_Click(100);
    EXPECT_EQ(say(100), "vide, ligne 10, colonne 10");
    EXPECT_EQ(say(9), "couverte, ligne 1, colonne 9");
    game.BtnBomb_Click(9);
    EXPECT_EQ(say(9), "mine, ligne 1, colonne 9");
    EXPECT_EQ(say(0), "");
}

TEST_F(BoardCursorTest, SAsksForTheStatisticsSaidWithTheirCaptionsInThePanelsOrder) {
    EXPECT_EQ(press(Qt::Key_S), Game::KeyOutcome::Statistics);
    EXPECT_EQ(press(Qt::Key_S, Qt::AltModifier), Game::KeyOutcome::NotABoardKey);
    game.c.TempsActuel.text = QStringLiteral("0:00:12");
    game.c.TempsMeilleur.text = QString(); // none in the file yet
    game.c.PJoue.text = QStringLiteral("5");
    game.c.PGagne.text = QStringLiteral("3");
    game.c.Pourcent.text = QStringLiteral("60 %");
    game.c.VictConsActuelle.text = QStringLiteral("1");
    game.c.VictConsMeilleure.text = QStringLiteral("2");
    game.c.Mines.text = QStringLiteral("3");
    EXPECT_EQ(game.statisticsPhrase().toStdString(),
              "Temps 0:00:12, meilleur temps aucun. Parties jouées 5, gagnées 3, 60 % de "
              "réussite. Victoires consécutives 1, meilleure série 2. Mines marquées 3.");
}

} // namespace
