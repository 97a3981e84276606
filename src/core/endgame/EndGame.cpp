// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Game.h"
#include "core/stats/Statistics.h"

void Game::FinDePartie() {
    playSound(QStringLiteral("\\HALLELU1.wav"));
    controls_.Commentaire.back = colours::Green;
    controls_.Commentaire.text = QStringLiteral(" BRAVO !...C'est gagné !");

    // Show where the mines were, whatever the player had put on them, and freeze the board.
    for (vars_.Indice = 1; vars_.Indice <= 10; ++vars_.Indice) {
        controls_.BtnBomb[vars_.PosBombes[vars_.Indice]].face = controls_.RBomb.picture;
    }
    for (vars_.Indice = 1; vars_.Indice <= 100; ++vars_.Indice) {
        controls_.BtnBomb[vars_.Indice].enabled = false;
    }

    vars_.PartiesGagnees = plusOne(vars_.PartiesGagnees);
    vars_.VictCons = plusOne(vars_.VictCons);

    // The clock still shows the time before the winning click: that is the game's time.
    if (beatsBestTime(controls_.TempsMeilleur.text, controls_.TempsActuel.text)) {
        controls_.TempsMeilleur.text = controls_.TempsActuel.text;
    }
    Marquage();
    // Kept at once, so neither a crash nor a kill loses a finished game.
    saveStatistics();
}

void Game::Explosion(int /*index*/) {
    vars_.VictCons = 0;
    playSound(QStringLiteral("\\Explosion.wav"));
    // The statistics change before the message and the uncovered board.
    Marquage();
    saveStatistics();
    controls_.Commentaire.back = colours::LightRed;
    controls_.Commentaire.text = QStringLiteral(" Dommage... Perdu !");
    for (vars_.Indice = 1; vars_.Indice <= 100; ++vars_.Indice) {
        controls_.BtnBomb[vars_.Indice].visible = false;
    }
}
