// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Game.h"

namespace {
// From the tenth mark on, the counter turns dark red; it stays so for the rest of the game.
void signalerDixMarques(std::int16_t nbMarques, LabelModel& mines) {
    if (nbMarques == 10) {
        mines.back = colours::DarkRed;
        mines.fore = colours::White;
    }
}
} // namespace

void Game::BtnBomb_MouseUp(int index, MouseButton button) {
    if (button != MouseButton::Right || index < 1 || index > 100) {
        return;
    }
    CellButtonModel& bouton = c.BtnBomb[index];
    // The window system gives no mouse event to a hidden or disabled button.
    if (!bouton.visible || !bouton.enabled) {
        return;
    }
    Jouer(QStringLiteral("\\POP.wav"));

    if (sameFace(bouton.face, c.Nuage.picture)) {
        bouton.face = c.RBomb.picture;
        ++v.NbMarques;
        c.Mines.text = QString::number(v.NbMarques);
        signalerDixMarques(v.NbMarques, c.Mines);
    } else if (sameFace(bouton.face, c.RBomb.picture)) {
        bouton.face = c.iBomb.picture;
    } else if (sameFace(bouton.face, c.iBomb.picture)) {
        --v.NbMarques;
        c.Mines.text = QString::number(v.NbMarques);
        signalerDixMarques(v.NbMarques, c.Mines);
        bouton.face = c.Nuage.picture;
    }
}
