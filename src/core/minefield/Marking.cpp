// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Game.h"

namespace {
// From the tenth mark on, the counter turns dark red; it stays so for the rest of the game.
void warnAtTenMarks(std::int16_t marks, LabelModel& mines) {
    if (marks == 10) {
        mines.back = colours::DarkRed;
        mines.fore = colours::White;
    }
}
} // namespace

void Game::BtnBomb_MouseUp(int index, MouseButton button) {
    if (button != MouseButton::Right || index < 1 || index > 100) {
        return;
    }
    CellButtonModel& cell = controls_.BtnBomb[index];
    // The window system gives no mouse event to a hidden or disabled button.
    if (!cell.visible || !cell.enabled) {
        return;
    }
    playSound(QStringLiteral("\\POP.wav"));

    if (sameFace(cell.face, controls_.Nuage.picture)) {
        cell.face = controls_.RBomb.picture;
        ++vars_.NbMarques;
        controls_.Mines.text = QString::number(vars_.NbMarques);
        warnAtTenMarks(vars_.NbMarques, controls_.Mines);
    } else if (sameFace(cell.face, controls_.RBomb.picture)) {
        cell.face = controls_.iBomb.picture;
    } else if (sameFace(cell.face, controls_.iBomb.picture)) {
        --vars_.NbMarques;
        controls_.Mines.text = QString::number(vars_.NbMarques);
        warnAtTenMarks(vars_.NbMarques, controls_.Mines);
        cell.face = controls_.Nuage.picture;
    }
}
