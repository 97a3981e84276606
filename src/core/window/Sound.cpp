// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Game.h"

#include <QDebug>

void Game::playSound(const QString& fileName) {
    // With the switch off nothing is even requested.
    if (vars_.SonActif != 0) {
        sound_.play(fileName);
    }
}

void Game::Sons_Click(int index) {
    vars_.SonActif = index == 0 ? -1 : 0;
    if (index != 0 && index != 1) {
        qWarning() << "Sons_Click: no option button" << index;
        return;
    }
    controls_.Sons[index].value = 1;
    controls_.Sons[1 - index].value = 0;
}
