// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Colour.h"

#include <QString>
#include <array>
#include <cstdint>

// The columns of the cell table Cases[n][k], and the content that means a mine.
namespace cell {
// The cell's sample point, where the game reads and fills its square of the picture.
constexpr int SampleX = 1;
constexpr int SampleY = 2;
constexpr int Content = 3;     // 0 empty, 1..8 neighbouring mines, or Mine
constexpr int DigitColour = 4; // the colour of its printed number
constexpr int Mine = 9;
} // namespace cell

// The program-wide variables of the game, gathered in one structure that the game owns.
// Every array has its fixed size and every value is zero (or empty) at program start.
// Index 0 of the cell-indexed arrays is never used, so cell n is always element n.
struct Tervalo1 {
    // Cases[n][k] for cell n = 1..100, k one of the columns in `cell` above.
    std::array<std::array<std::int32_t, 5>, 101> Cases{};
    std::array<Colour, 101> CouleurZone{};    // region value of each cell
    std::array<Colour, 10> CouleurChiffre{};  // colour of each digit
    std::array<std::int16_t, 11> PosBombes{}; // the ten mines, in the order drawn

    std::int16_t Indice = 0;
    std::int16_t Colonne = 0;
    std::int16_t Ligne = 0;
    std::int16_t Tirage = 0;
    std::int16_t PosX = 0;
    std::int16_t PosY = 0;
    Colour CouleurGrille = 0;
    std::int16_t NbVoisins = 0;
    Colour CouleurCadre = 0;
    Colour CouleurFond = 0;
    Colour CouleurCentre = 0;
    std::int32_t BaseCouleur = 0;
    std::int16_t NbMarques = 0;
    std::int16_t NbCouvertes = 0;

    std::int16_t SonActif = 0; // -1 on, 0 off; anything but 0 counts as on
    QString FichierParametres;
    std::int16_t NumBouton = 0;
    std::int16_t PartiesJouees = 0;
    std::int16_t PartiesGagnees = 0;
    std::int16_t VictCons = 0;
    std::int16_t VictConsMax = 0;
    float Pourcentage = 0.0f;
    double HeureDebut = 0.0; // time of day of the deal, in days
};

// Raises a 16-bit counter by one, stopping at its upper bound instead of wrapping.
constexpr std::int16_t plusOne(std::int16_t n) {
    return n == INT16_MAX ? n : static_cast<std::int16_t>(n + 1);
}
