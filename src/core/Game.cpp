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
    : c(Controls::designed()), random_(random), clock_(clock), sound_(sound) {}

void Game::buildBoard() {
    for (int d = 1; d <= 8; ++d) {
        v.CouleurChiffre[d] = DigitColours[d];
    }

    for (v.Indice = 2; v.Indice <= 10; ++v.Indice) {
        c.Bombe[v.Indice] = c.Bombe[1];
        c.Bombe[v.Indice].visible = false;
    }

    const QRect first = c.BtnBomb[1].geometry;
    v.NumBouton = 1;
    c.BtnBomb[1].face = c.Nuage.picture;
    v.Cases[1][1] = board::SampleOffset;
    v.Cases[1][2] = board::SampleOffset;

    // The top row follows cell 1's own geometry.
    for (v.Colonne = 2; v.Colonne <= 10; ++v.Colonne) {
        const int i = ++v.NumBouton;
        CellButtonModel& b = c.BtnBomb[i];
        const QRect previous = c.BtnBomb[i - 1].geometry;
        b = CellButtonModel{};
        b.face = c.Nuage.picture;
        b.geometry =
            QRect(previous.left() + board::Pitch, first.top(), first.width(), first.height());
        b.visible = false;
        // The previous button ends where this cell's square starts.
        v.Cases[i][1] = first.width() + previous.left() + board::SampleOffset;
        v.Cases[i][2] = first.top() + board::SampleFromButton;
    }

    // Rows 2 to 10 start at (2, 52) on the 50-pixel pitch.
    int y = board::ButtonInset + board::Pitch;
    for (v.Ligne = 1; v.Ligne <= 9; ++v.Ligne) {
        int x = board::ButtonInset;
        for (v.Colonne = 1; v.Colonne <= 10; ++v.Colonne) {
            const int i = ++v.NumBouton;
            CellButtonModel& b = c.BtnBomb[i];
            b = CellButtonModel{};
            b.face = c.Nuage.picture;
            b.geometry = QRect(x, y, first.width(), first.height());
            b.visible = false;
            v.Cases[i][1] = x + board::SampleFromButton;
            v.Cases[i][2] = y + board::SampleFromButton;
            x += board::Pitch;
        }
        y += board::Pitch;
    }
}
