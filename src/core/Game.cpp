// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Game.h"

#include "core/Board.h"
#include "core/DesignPlaces.h"

namespace {
// The digit colours 1..8: blue, green, purple, dark red, orange, teal, olive, black.
constexpr std::array<Colour, 9> DigitColours{0,        0xFF0000, 0x00C000, 0xC000C0, 0x0000C0,
                                             0x0080FF, 0xC0C000, 0x00C0C0, 0x000000};

LabelModel label(const QString& text, Colour back, Colour fore = colours::Black) {
    return LabelModel{text, back, fore};
}
} // namespace

Game::Game(RandomSource& random, GameClock& clock, SoundPlayer& sound)
    : random_(random), clock_(clock), sound_(sound) {
    // The window as designed, before start-up changes anything.
    c.Commentaire = label(QStringLiteral("Partie en cours..."), colours::White);
    c.vkLabel1 = label(
        QStringLiteral("Clic Bouton gauche pour effacer les cases - Bouton droit pour les marquer"),
        0xFCF7F4);
    c.Mines = label(QStringLiteral("10"), 0xC0FFFF);
    c.TempsActuel.text = QStringLiteral("0:00:00");
    c.TempsMeilleur.text = QStringLiteral("0:00:00");
    c.PJoue.text = QStringLiteral("0");
    c.PGagne.text = QStringLiteral("0");
    c.VictConsActuelle.text = QStringLiteral("0");
    c.VictConsMeilleure.text = QStringLiteral("0");
    c.Pourcent.text = QStringLiteral("0 %");
    c.RAZ.text = QStringLiteral("RAZ Statistiques");
    c.Rejouer.text = QStringLiteral("Rejouer");
    c.Quitter.text = QStringLiteral("Quitter");
    c.Sons[0] = OptionModel{QStringLiteral("Oui"), 1};
    c.Sons[1] = OptionModel{QStringLiteral("Non"), 0};

    // One picture object per face; every button that shows a face holds a copy of it.
    c.Nuage = ImageModel{QIcon(QStringLiteral(":/pictures/Nuage.svg")), design::Nuage.pixels()};
    c.iBomb = ImageModel{QIcon(QStringLiteral(":/pictures/iBomb.svg")), design::iBomb.pixels()};
    c.RBomb = ImageModel{QIcon(QStringLiteral(":/pictures/RBomb.svg")), design::RBomb.pixels()};
    c.Bombe[1] =
        ImageModel{QIcon(QStringLiteral(":/pictures/Bombe.svg")), design::Bombe_1.pixels()};

    // Cell button 1 is the one the window is designed with. Before the first deal it is shown
    // with the cover face but takes no click: there is no deal to play on yet.
    c.BtnBomb[1].face = c.Nuage.picture;
    c.BtnBomb[1].geometry = design::BtnBomb_1.pixels();
    c.BtnBomb[1].visible = true;
    c.BtnBomb[1].enabled = false;

    c.Timer1 = TimerModel{false, 1000};
}

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
