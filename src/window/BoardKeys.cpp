// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "minefield/Board.h"
#include "window/Game.h"

Game::KeyOutcome Game::PicFond_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat) {
    const BoardCursor::Action action = BoardCursor::actionOf(key, modifiers);
    if (action == BoardCursor::Action::None) {
        return KeyOutcome::NotABoardKey;
    }
    if (BoardCursor::isMove(action)) {
        return curseur.move(action) ? KeyOutcome::Moved : KeyOutcome::Nothing;
    }
    // A held key plays once; between games there is nothing to play.
    const int n = curseur.cell();
    const CellButtonModel& bouton = c.BtnBomb[n];
    if (autoRepeat || !partieEnCours() || !bouton.visible || !bouton.enabled) {
        return KeyOutcome::Nothing;
    }
    if (action == BoardCursor::Action::Reveal) {
        BtnBomb_Click(n);
    } else {
        BtnBomb_MouseUp(n, MouseButton::Right);
    }
    return KeyOutcome::Played;
}

QString Game::DescriptionCase(int n) const {
    if (n < 1 || n > board::Cells) {
        return {};
    }
    const QString where = QStringLiteral("Case %1, ligne %2, colonne %3 : ")
                              .arg(n)
                              .arg(board::row(n))
                              .arg(board::column(n));
    // Before the first deal nothing lies under any cell.
    const CellButtonModel& bouton = c.BtnBomb[n];
    if (bouton.visible || v.PosBombes[1] == 0) {
        return where + (sameFace(bouton.face, c.RBomb.picture) ? QStringLiteral("mine marquée")
                        : sameFace(bouton.face, c.iBomb.picture)
                            ? QStringLiteral("point d'interrogation")
                            : QStringLiteral("couverte"));
    }
    const int content = v.Cases[n][3];
    return where + (content == 9   ? QStringLiteral("mine")
                    : content == 0 ? QStringLiteral("vide")
                                   : QString::number(content));
}
