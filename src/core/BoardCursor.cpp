// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/BoardCursor.h"

#include "core/Board.h"

#include <QDebug>
#include <algorithm>

BoardCursor::Action BoardCursor::actionOf(int key, Qt::KeyboardModifiers modifiers) {
    // Alt and Meta chords belong to the window's shortcuts (Alt+R deals). The keypad's own
    // flag changes nothing: its arrows and Enter play like the others.
    const Qt::KeyboardModifiers held = modifiers & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (held == Qt::ControlModifier) {
        return key == Qt::Key_Home  ? Action::First
               : key == Qt::Key_End ? Action::Last
                                    : Action::None;
    }
    if (held != Qt::NoModifier) {
        return Action::None;
    }
    switch (key) {
    case Qt::Key_Left:
        return Action::Left;
    case Qt::Key_Right:
        return Action::Right;
    case Qt::Key_Up:
        return Action::Up;
    case Qt::Key_Down:
        return Action::Down;
    case Qt::Key_Home:
        return Action::RowStart;
    case Qt::Key_End:
        return Action::RowEnd;
    case Qt::Key_PageUp:
        return Action::ColumnTop;
    case Qt::Key_PageDown:
        return Action::ColumnBottom;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Action::Reveal;
    case Qt::Key_M:
    case Qt::Key_Menu:
        return Action::Mark;
    case Qt::Key_S:
        return Action::Statistics;
    default:
        return Action::None;
    }
}

bool BoardCursor::place(int cell) {
    if (cell < 1 || cell > board::Cells) {
        qWarning() << "BoardCursor: no cell" << cell;
        return false;
    }
    const bool moved = cell != cell_;
    cell_ = cell;
    return moved;
}

bool BoardCursor::move(Action a) {
    int r = board::row(cell_);
    int c = board::column(cell_);
    switch (a) {
    case Action::Left:
        c = std::max(1, c - 1);
        break;
    case Action::Right:
        c = std::min(board::Side, c + 1);
        break;
    case Action::Up:
        r = std::max(1, r - 1);
        break;
    case Action::Down:
        r = std::min(board::Side, r + 1);
        break;
    case Action::RowStart:
        c = 1;
        break;
    case Action::RowEnd:
        c = board::Side;
        break;
    case Action::First:
        r = c = 1;
        break;
    case Action::Last:
        r = c = board::Side;
        break;
    case Action::ColumnTop:
        r = 1;
        break;
    case Action::ColumnBottom:
        r = board::Side;
        break;
    case Action::None:
    case Action::Reveal:
    case Action::Mark:
    case Action::Statistics:
        return false;
    }
    return place(board::cellAt(r, c));
}
