// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Game.h"

#include <array>

namespace {
// The buttons a region cell j uncovers around itself: its on-board neighbours, and itself
// except in the corners. Listed in the order they are hidden.
struct Neighbours {
    std::array<int, 9> cells{};
    int count = 0;
    void add(int n) { cells[static_cast<std::size_t>(count++)] = n; }
};

Neighbours neighboursToOpen(int j) {
    Neighbours v;
    const int row = (j - 1) / 10 + 1;
    const int col = (j - 1) % 10 + 1;
    if (j == 1) {
        v.add(j + 1), v.add(j + 10), v.add(j + 11);
    } else if (j == 10) {
        v.add(j - 1), v.add(j + 9), v.add(j + 10);
    } else if (j == 91) {
        v.add(j + 1), v.add(j - 9), v.add(j - 10);
    } else if (j == 100) {
        v.add(j - 1), v.add(j - 10), v.add(j - 11);
    } else if (row == 1) {
        for (int k = j - 1; k <= j + 1; ++k) {
            v.add(k), v.add(k + 10);
        }
    } else if (row == 10) {
        for (int k = j - 1; k <= j + 1; ++k) {
            v.add(k), v.add(k - 10);
        }
    } else if (col == 1) {
        for (int k = j; k <= j + 1; ++k) {
            v.add(k - 10), v.add(k), v.add(k + 10);
        }
    } else if (col == 10) {
        for (int k = j - 1; k <= j; ++k) {
            v.add(k - 10), v.add(k), v.add(k + 10);
        }
    } else {
        for (int k = j - 1; k <= j + 1; ++k) {
            v.add(k - 10), v.add(k), v.add(k + 10);
        }
    }
    return v;
}
} // namespace

// Counts the covered cells down from 100; exactly ten left means every safe cell is open.
bool Game::tenCellsLeft() {
    for (vars_.Indice = 1; vars_.Indice <= 100; ++vars_.Indice) {
        if (!controls_.BtnBomb[vars_.Indice].visible) {
            --vars_.NbCouvertes;
        }
    }
    if (vars_.NbCouvertes == 10) {
        return true;
    }
    vars_.NbCouvertes = 100;
    return false;
}

void Game::BtnBomb_Click(int index) {
    if (index < 1 || index > 100) {
        return;
    }
    CellButtonModel& button = controls_.BtnBomb[index];
    // The window system gives no click to a hidden or disabled button.
    if (!button.visible || !button.enabled) {
        return;
    }
    // A marked cell must lose its mark before it can be revealed.
    if (!sameFace(button.face, controls_.Nuage.picture)) {
        return;
    }
    button.visible = false;

    if (vars_.Cases[index][cell::Content] == cell::Mine) {
        Explosion(index);
        controls_.Rejouer.enabled = true;
    } else {
        if (tenCellsLeft()) {
            FinDePartie();
            return;
        }
        if (vars_.Cases[index][cell::Content] == 0) {
            playSound(QStringLiteral("\\YEAH.wav"));
            if (vars_.CouleurZone[index] > 0) {
                // Every cell of the region shares its value, so one ascending pass opens it.
                const Colour zone = vars_.CouleurZone[index];
                for (vars_.Indice = 1; vars_.Indice <= 100; ++vars_.Indice) {
                    if (vars_.CouleurZone[vars_.Indice] == zone) {
                        const Neighbours neighbours = neighboursToOpen(vars_.Indice);
                        for (int k = 0; k < neighbours.count; ++k) {
                            controls_.BtnBomb[neighbours.cells[static_cast<std::size_t>(k)]]
                                .visible = false;
                        }
                    }
                }
            } else {
                playSound(QStringLiteral("\\POP.wav"));
            }
        }
    }

    if (tenCellsLeft()) {
        FinDePartie();
    }
}
