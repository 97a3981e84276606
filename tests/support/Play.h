// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/BoardFixture.h"

#include <set>
#include <vector>

// What a player can know of a dealt board, worked out independently of the game's own
// numbers: the cells around a cell, and which cells a click on an empty cell must open.
namespace play {

std::vector<int> neighbours(int cell);
bool isMine(const BoardFixture& f, int cell);
int minesAround(const BoardFixture& f, int cell);
std::vector<int> safeCells(const BoardFixture& f);

// The empty cells joined to `cell` by sides or corners, and every cell touching them.
std::set<int> openedBy(const BoardFixture& f, int cell);

// Cells whose button is hidden.
std::set<int> hiddenCells(const BoardFixture& f);

} // namespace play
