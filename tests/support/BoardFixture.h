// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/Fakes.h"
#include "support/TestGame.h"

#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

// What a board should be, worked out from the mines alone, without the picture.
namespace reference {
using CellTable = std::array<int, 101>; // index 1..100

// Each cell's content: 9 a mine, else the number of mines among its on-board neighbours.
CellTable contents(const std::vector<int>& mines);
// Labels 1, 2, ... of the empty cells (content 0), numbered in the order of their lowest cell;
// 0 for the other cells. Empty cells share a label when they are joined through empty cells
// touching by a side, or, with `corners`, by a side or a corner.
CellTable regions(const CellTable& contents, bool corners);
// Whether the game's region values fit the board: 255 on each mine, and on the empty cells of
// each region (sides or corners) one value above 20 that no other region has.
::testing::AssertionResult regionValuesAgree(const std::array<Colour, 101>& zones,
                                             const CellTable& contents);
} // namespace reference

// A game built as start-up leaves it (board constructed, sound on), on which a test deals the
// board it chooses. The deal runs through the real Nouveau: the random source is given exactly
// the draws that land on the chosen cells, so the picture, the numbers and the regions are the
// game's own.
//
//     BoardFixture f;
//     f.deal({12, 13, 14, 15, 16, 17, 18, 19, 20, 21});
//     f.game.BtnBomb_Click(45);
//
// or, with a picture of the board ('*' a mine; '.', a digit or anything else not; blanks are
// ignored):
//
//     f.dealPicture("..*......."
//                   ".........."
//                   ...);
struct BoardFixture {
    FixedRandom random;
    ManualClock clock;
    RecordingPlayer sound;
    TestGame game{random, clock, sound};

    BoardFixture();

    // Deals with these mines, drawn in this order (so PosBombes(k) = mines[k - 1]). They must be
    // ten different cells that the draw can give (2 to 98, not 10 or 91): anything else throws
    // std::invalid_argument. Any draws still queued in `random` would be used first.
    void deal(const std::vector<int>& mines);
    // Deals the mines of a picture of ten lines of ten cells, in cell order.
    void dealPicture(const QString& picture);
    static std::vector<int> minesOf(const QString& picture);

    // The board as the deal worked it out, ten lines of ten characters joined by '\n': '*' a
    // mine, '.' an empty cell, else the number.
    QString contents() const;

    int content(int n) const { return game.v.Cases[n][cell::Content]; }
    Colour zone(int n) const { return game.v.CouleurZone[n]; }
    bool revealed(int n) const { return !game.c.BtnBomb[n].visible; }

    // The picture a finished deal should leave, drawn from the cell table alone: the background,
    // each mine's square red, the black grid from 0 to 500, and each cell's number (9 on a
    // mine) in its column-4 colour.
    QImage expectedPicture() const;

    // Lets time pass on both the time of day and the monotonic clock.
    void advance(std::int64_t seconds);
};
