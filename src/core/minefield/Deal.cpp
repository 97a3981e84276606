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
    vars_.CouleurZone.fill(0);
    vars_.PosBombes.fill(0);
    // The game counts as played from the moment it is dealt.
    vars_.PartiesJouees = plusOne(vars_.PartiesJouees);
    vars_.NbMarques = 0;
    vars_.NbCouvertes = 100;

    controls_.RAZ.enabled = false;
    // The mark count keeps its text until the first mark of the game.
    controls_.Mines.back = colours::Yellow;
    controls_.Mines.fore = colours::Black;
    controls_.Commentaire.back = colours::InProgress;
    controls_.Commentaire.text = QStringLiteral(" Partie en cours...");
    controls_.Rejouer.enabled = false;

    PicFond.clear();
    for (vars_.Indice = 1; vars_.Indice <= 100; ++vars_.Indice) {
        CellButtonModel& b = controls_.BtnBomb[vars_.Indice];
        b.enabled = true;
        b.visible = true;
        vars_.Cases[vars_.Indice][cell::Content] = 0;
        b.face = controls_.Nuage.picture; // also takes off the marks of the last game
    }
    for (vars_.Indice = 1; vars_.Indice <= 10; ++vars_.Indice) {
        controls_.Bombe[vars_.Indice].visible = false;
    }

    PicFond.setFillStyle(Picture::FillStyle::Solid);
    // Nothing at x = 0 or y = 0: the red fills of the first row and column stop at the edge.
    for (vars_.Indice = board::Pitch; vars_.Indice <= board::GridEnd;
         vars_.Indice += board::Pitch) {
        PicFond.line(vars_.Indice, 0, vars_.Indice, board::GridEnd, colours::Black);
        PicFond.line(0, vars_.Indice, board::GridEnd, vars_.Indice, colours::Black);
    }
    PicFond.refresh();

    random_.seed(static_cast<float>(clock_.timeOfDay() * 86400.0));
    for (vars_.Indice = 1; vars_.Indice <= 10; ++vars_.Indice) {
        for (;;) {
            const double drawn = std::floor(random_.next() * 97.0 + 2.0);
            // A source outside [0, 1) would give a cell off the range; it is drawn again.
            if (!(drawn >= 2.0 && drawn <= 98.0)) {
                continue;
            }
            vars_.Tirage = static_cast<std::int16_t>(drawn);
            if (forbiddenCorner(vars_.Tirage)) {
                continue;
            }
            bool alreadyDrawn = false;
            for (int j = 1; j <= vars_.Indice; ++j) {
                alreadyDrawn = alreadyDrawn || vars_.PosBombes[j] == vars_.Tirage;
            }
            if (!alreadyDrawn) {
                break;
            }
        }
        vars_.PosBombes[vars_.Indice] = vars_.Tirage;
        vars_.Cases[vars_.Tirage][cell::Content] = cell::Mine;
        ColoriageRouge();
    }

    PlaceBombes();
    Chiffrage();

    controls_.TempsActuel.text = QStringLiteral("0:00:00");
    vars_.HeureDebut = clock_.timeOfDay();
    dealMonotonicMs_ = clock_.monotonicMs();
    controls_.Timer1.enabled = true;
}

void Game::ColoriageRouge() {
    vars_.PosX = static_cast<std::int16_t>(vars_.Cases[vars_.Tirage][cell::SampleX]);
    vars_.PosY = static_cast<std::int16_t>(vars_.Cases[vars_.Tirage][cell::SampleY]);
    PicFond.setFillColour(colours::Red);
    vars_.CouleurGrille = colours::Black;
    PicFond.floodFill(vars_.PosX, vars_.PosY, vars_.CouleurGrille);
}

void Game::PlaceBombes() {
    for (vars_.Indice = 1; vars_.Indice <= 10; ++vars_.Indice) {
        const QRect button = controls_.BtnBomb[vars_.PosBombes[vars_.Indice]].geometry;
        ImageModel& mine = controls_.Bombe[vars_.Indice];
        mine.geometry.moveTopLeft(button.topLeft() + QPoint(board::MineInset, board::MineInset));
        mine.visible = true;
        PicFond.refresh();
    }
}
