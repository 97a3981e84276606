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
    for (v.Indice = 1; v.Indice <= 100; ++v.Indice) {
        if (!c.BtnBomb[v.Indice].visible) {
            --v.NbCouvertes;
        }
    }
    if (v.NbCouvertes == 10) {
        return true;
    }
    v.NbCouvertes = 100;
    return false;
}

void Game::BtnBomb_Click(int index) {
    if (index < 1 || index > 100) {
        return;
    }
    CellButtonModel& button = c.BtnBomb[index];
    // The window system gives no click to a hidden or disabled button.
    if (!button.visible || !button.enabled) {
        return;
    }
    // A marked cell must lose its mark before it can be revealed.
    if (!sameFace(button.face, c.Nuage.picture)) {
        return;
    }
    button.visible = false;

    if (v.Cases[index][3] == 9) {
        Explosion(index);
        c.Rejouer.enabled = true;
    } else {
        if (tenCellsLeft()) {
            FinDePartie();
            return;
        }
        if (v.Cases[index][3] == 0) {
            playSound(QStringLiteral("\\YEAH.wav"));
            if (v.CouleurZone[index] > 0) {
                // Every cell of the region shares its value, so one ascending pass opens it.
                const Colour zone = v.CouleurZone[index];
                for (v.Indice = 1; v.Indice <= 100; ++v.Indice) {
                    if (v.CouleurZone[v.Indice] == zone) {
                        const Neighbours neighbours = neighboursToOpen(v.Indice);
                        for (int k = 0; k < neighbours.count; ++k) {
                            c.BtnBomb[neighbours.cells[static_cast<std::size_t>(k)]].visible =
                                false;
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
