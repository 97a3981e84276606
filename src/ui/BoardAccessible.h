// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class BoardView;
class QAccessibleInterface;

// What a screen reader finds on the board: a section holding a table of 10 rows of 10 cells,
// each named after what it shows then its row and column, the cursor's cell focused while the
// board has the keyboard focus. The buttons and pictures the board is drawn with are no part of
// it: the cells say all they show.

// Makes every BoardView answer with this interface; the first board does it.
void installBoardAccessible();
// The cell of the board's table. Owned by the accessibility cache once registered.
QAccessibleInterface* makeCellAccessible(BoardView* board, int cell);
