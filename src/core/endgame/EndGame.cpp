// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Game.h"
#include "core/stats/Statistics.h"

void Game::FinDePartie() {
    playSound(QStringLiteral("\\HALLELU1.wav"));
    c.Commentaire.back = colours::Green;
    c.Commentaire.text = QStringLiteral(" BRAVO !...C'est gagné !");

    // Show where the mines were, whatever the player had put on them, and freeze the board.
    for (v.Indice = 1; v.Indice <= 10; ++v.Indice) {
        c.BtnBomb[v.PosBombes[v.Indice]].face = c.RBomb.picture;
    }
    for (v.Indice = 1; v.Indice <= 100; ++v.Indice) {
        c.BtnBomb[v.Indice].enabled = false;
    }

    v.PartiesGagnees = plusOne(v.PartiesGagnees);
    v.VictCons = plusOne(v.VictCons);

    // The clock still shows the time before the winning click: that is the game's time.
    if (beatsBestTime(c.TempsMeilleur.text, c.TempsActuel.text)) {
        c.TempsMeilleur.text = c.TempsActuel.text;
    }
    Marquage();
    // Kept at once, so neither a crash nor a kill loses a finished game.
    saveStatistics();
}

void Game::Explosion(int /*index*/) {
    v.VictCons = 0;
    playSound(QStringLiteral("\\Explosion.wav"));
    // The statistics change before the message and the uncovered board.
    Marquage();
    saveStatistics();
    c.Commentaire.back = colours::LightRed;
    c.Commentaire.text = QStringLiteral(" Dommage... Perdu !");
    for (v.Indice = 1; v.Indice <= 100; ++v.Indice) {
        c.BtnBomb[v.Indice].visible = false;
    }
}
