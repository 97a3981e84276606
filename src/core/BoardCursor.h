// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <Qt>

// Where the keyboard stands on the board: one of the 100 cells, covered or revealed alike. It
// moves only when the player moves it, so a key pressed once too often acts on the cell the
// player chose and on no other.
class BoardCursor {
public:
    // What a key does on the board.
    enum class Action {
        None,
        Left,
        Right,
        Up,
        Down,
        RowStart,
        RowEnd,
        First,
        Last,
        ColumnTop,
        ColumnBottom,
        Reveal,     // as a left click
        Mark,       // as the right button's release
        Statistics, // tells the clock and the statistics
    };

    static Action actionOf(int key, Qt::KeyboardModifiers modifiers);
    static bool isMove(Action a) {
        return a != Action::None && a != Action::Reveal && a != Action::Mark &&
               a != Action::Statistics;
    }

    int cell() const { return cell_; }
    // Puts the cursor on a cell; anything off the board is refused.
    bool place(int cell);
    // Moves, stopping at the edges; returns whether the cell changed.
    bool move(Action a);

private:
    int cell_ = 1;
};
