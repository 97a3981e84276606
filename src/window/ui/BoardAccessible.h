// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class BoardView;
class QAccessibleInterface;

// What a screen reader finds on the board: the board's own child widgets (the covered cells'
// buttons, the mine pictures), then one read-only text per revealed cell, named after what the
// picture shows there. A revealed cell has no widget left to speak for it: its button is hidden.

// Makes every BoardView answer with this interface; the first board does it.
void installBoardAccessible();
// The text standing for a revealed cell of the board. Owned by the accessibility cache once
// registered.
QAccessibleInterface* makeRevealedCellAccessible(BoardView* board, int cell);
