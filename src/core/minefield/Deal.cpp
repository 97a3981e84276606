// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Board.h"
#include "core/Game.h"

#include <cmath>

namespace {
// Cells the draw may never give: the top-right and bottom-left corners (1, 99 and 100 are out
// of the draw's range already).
bool forbiddenCorner(int cell) {
    return cell == 10 || cell == 91;
}
} // namespace

void Game::Rejouer_Click() {
    // Cell 1 is never a mine: a reveal key pressed once too often after a deal is harmless.
    cursor.place(1);
    Nouveau();
}

void Game::Nouveau() {
    v.CouleurZone.fill(0);
    v.PosBombes.fill(0);
    // The game counts as played from the moment it is dealt.
    v.PartiesJouees = plusOne(v.PartiesJouees);
    v.NbMarques = 0;
    v.NbCouvertes = 100;

    c.RAZ.enabled = false;
    // The mark count keeps its text until the first mark of the game.
    c.Mines.back = colours::Yellow;
    c.Mines.fore = colours::Black;
    c.Commentaire.back = colours::InProgress;
    c.Commentaire.text = QStringLiteral(" Partie en cours...");
    c.Rejouer.enabled = false;

    PicFond.clear();
    for (v.Indice = 1; v.Indice <= 100; ++v.Indice) {
        CellButtonModel& b = c.BtnBomb[v.Indice];
        b.enabled = true;
        b.visible = true;
        v.Cases[v.Indice][3] = 0;
        b.face = c.Nuage.picture; // also takes off the marks of the last game
    }
    for (v.Indice = 1; v.Indice <= 10; ++v.Indice) {
        c.Bombe[v.Indice].visible = false;
    }

    PicFond.setFillStyle(Picture::FillStyle::Solid);
    // Nothing at x = 0 or y = 0: the red fills of the first row and column stop at the edge.
    for (v.Indice = board::Pitch; v.Indice <= board::GridEnd; v.Indice += board::Pitch) {
        PicFond.line(v.Indice, 0, v.Indice, board::GridEnd, colours::Black);
        PicFond.line(0, v.Indice, board::GridEnd, v.Indice, colours::Black);
    }
    PicFond.refresh();

    random_.seed(static_cast<float>(clock_.timeOfDay() * 86400.0));
    for (v.Indice = 1; v.Indice <= 10; ++v.Indice) {
        for (;;) {
            const double drawn = std::floor(random_.next() * 97.0 + 2.0);
            // A source outside [0, 1) would give a cell off the range; it is drawn again.
            if (!(drawn >= 2.0 && drawn <= 98.0)) {
                continue;
            }
            v.Tirage = static_cast<std::int16_t>(drawn);
            if (forbiddenCorner(v.Tirage)) {
                continue;
            }
            bool alreadyDrawn = false;
            for (int j = 1; j <= v.Indice; ++j) {
                alreadyDrawn = alreadyDrawn || v.PosBombes[j] == v.Tirage;
            }
            if (!alreadyDrawn) {
                break;
            }
        }
        v.PosBombes[v.Indice] = v.Tirage;
        v.Cases[v.Tirage][3] = 9;
        ColoriageRouge();
    }

    PlaceBombes();
    Chiffrage();

    c.TempsActuel.text = QStringLiteral("0:00:00");
    v.HeureDebut = clock_.timeOfDay();
    dealMonotonicMs_ = clock_.monotonicMs();
    c.Timer1.enabled = true;
}

void Game::ColoriageRouge() {
    v.PosX = static_cast<std::int16_t>(v.Cases[v.Tirage][1]);
    v.PosY = static_cast<std::int16_t>(v.Cases[v.Tirage][2]);
    PicFond.setFillColour(colours::Red);
    v.CouleurGrille = colours::Black;
    PicFond.floodFill(v.PosX, v.PosY, v.CouleurGrille);
}

void Game::PlaceBombes() {
    for (v.Indice = 1; v.Indice <= 10; ++v.Indice) {
        const QRect button = c.BtnBomb[v.PosBombes[v.Indice]].geometry;
        ImageModel& mine = c.Bombe[v.Indice];
        mine.geometry.moveTopLeft(button.topLeft() + QPoint(board::MineInset, board::MineInset));
        mine.visible = true;
        PicFond.refresh();
    }
}
