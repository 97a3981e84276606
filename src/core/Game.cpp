// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Game.h"

#include "core/Board.h"

namespace {
// The digit colours 1..8: blue, green, purple, dark red, orange, teal, olive, black.
constexpr std::array<Colour, 9> DigitColours{0,        0xFF0000, 0x00C000, 0xC000C0, 0x0000C0,
                                             0x0080FF, 0xC0C000, 0x00C0C0, 0x000000};
} // namespace

Game::Game(RandomSource& random, GameClock& clock, SoundPlayer& sound)
    : controls_(Controls::designed()), random_(random), clock_(clock), sound_(sound) {}

void Game::buildBoard() {
    for (int d = 1; d <= 8; ++d) {
        vars_.CouleurChiffre[d] = DigitColours[d];
    }

    for (vars_.Indice = 2; vars_.Indice <= 10; ++vars_.Indice) {
        controls_.Bombe[vars_.Indice] = controls_.Bombe[1];
        controls_.Bombe[vars_.Indice].visible = false;
    }

    const QRect first = controls_.BtnBomb[1].geometry;
    vars_.NumBouton = 1;
    controls_.BtnBomb[1].face = controls_.Nuage.picture;
    vars_.Cases[1][cell::SampleX] = board::SampleOffset;
    vars_.Cases[1][cell::SampleY] = board::SampleOffset;

    // The top row follows cell 1's own geometry.
    for (vars_.Colonne = 2; vars_.Colonne <= 10; ++vars_.Colonne) {
        const int i = ++vars_.NumBouton;
        CellButtonModel& b = controls_.BtnBomb[i];
        const QRect previous = controls_.BtnBomb[i - 1].geometry;
        b = CellButtonModel{};
        b.face = controls_.Nuage.picture;
        b.geometry =
            QRect(previous.left() + board::Pitch, first.top(), first.width(), first.height());
        b.visible = false;
        // The previous button ends where this cell's square starts.
        vars_.Cases[i][cell::SampleX] = first.width() + previous.left() + board::SampleOffset;
        vars_.Cases[i][cell::SampleY] = first.top() + board::SampleFromButton;
    }

    // Rows 2 to 10 start at (2, 52) on the 50-pixel pitch.
    int y = board::ButtonInset + board::Pitch;
    for (vars_.Ligne = 1; vars_.Ligne <= 9; ++vars_.Ligne) {
        int x = board::ButtonInset;
        for (vars_.Colonne = 1; vars_.Colonne <= 10; ++vars_.Colonne) {
            const int i = ++vars_.NumBouton;
            CellButtonModel& b = controls_.BtnBomb[i];
            b = CellButtonModel{};
            b.face = controls_.Nuage.picture;
            b.geometry = QRect(x, y, first.width(), first.height());
            b.visible = false;
            vars_.Cases[i][cell::SampleX] = x + board::SampleFromButton;
            vars_.Cases[i][cell::SampleY] = y + board::SampleFromButton;
            x += board::Pitch;
        }
        y += board::Pitch;
    }
}
