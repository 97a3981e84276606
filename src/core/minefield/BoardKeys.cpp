// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Board.h"
#include "core/Game.h"

Game::KeyOutcome Game::PicFond_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat) {
    const BoardCursor::Action action = BoardCursor::actionOf(key, modifiers);
    if (action == BoardCursor::Action::None) {
        return KeyOutcome::NotABoardKey;
    }
    if (action == BoardCursor::Action::Statistics) {
        return KeyOutcome::Statistics;
    }
    if (BoardCursor::isMove(action)) {
        return cursor.move(action) ? KeyOutcome::Moved : KeyOutcome::Nothing;
    }
    // A held key plays once; between games there is nothing to play.
    const int n = cursor.cell();
    const CellButtonModel& button = controls_.BtnBomb[n];
    if (autoRepeat || !gameInProgress() || !button.visible || !button.enabled) {
        return KeyOutcome::Nothing;
    }
    if (action == BoardCursor::Action::Reveal) {
        BtnBomb_Click(n);
    } else {
        BtnBomb_MouseUp(n, MouseButton::Right);
    }
    return KeyOutcome::Played;
}

QString Game::cellDescription(int n) const {
    if (n < 1 || n > board::Cells) {
        return {};
    }
    // What the cell shows comes first: a player moving fast hears it before the place.
    const auto phrase = [n](const QString& shows) {
        return QStringLiteral("%1, ligne %2, colonne %3")
            .arg(shows)
            .arg(board::row(n))
            .arg(board::column(n));
    };
    // Before the first deal nothing lies under any cell.
    const CellButtonModel& button = controls_.BtnBomb[n];
    if (button.visible || !dealt()) {
        return phrase(sameFace(button.face, controls_.RBomb.picture)
                          ? QStringLiteral("mine marquée")
                      : sameFace(button.face, controls_.iBomb.picture)
                          ? QStringLiteral("point d'interrogation")
                          : QStringLiteral("couverte"));
    }
    const int content = cellContent(n);
    return phrase(content == cell::Mine ? QStringLiteral("mine")
                  : content == 0        ? QStringLiteral("vide")
                                        : QString::number(content));
}

QString Game::statisticsPhrase() const {
    // A label with nothing to show yet (no best time in the file) says so.
    const auto value = [](const LabelModel& label) {
        return label.text.trimmed().isEmpty() ? QStringLiteral("aucun") : label.text.trimmed();
    };
    return QStringLiteral("Temps %1, meilleur temps %2. Parties jouées %3, gagnées %4, %5 de "
                          "réussite. Victoires consécutives %6, meilleure série %7. Mines "
                          "marquées %8.")
        .arg(value(controls_.TempsActuel), value(controls_.TempsMeilleur), value(controls_.PJoue),
             value(controls_.PGagne), value(controls_.Pourcent), value(controls_.VictConsActuelle),
             value(controls_.VictConsMeilleure), value(controls_.Mines));
}
