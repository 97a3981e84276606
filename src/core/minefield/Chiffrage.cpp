// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Board.h"
#include "core/Game.h"

namespace {
// Any colour of 20 or less (black, or -1 off the picture) is no region.
constexpr Colour RegionThreshold = 20;
constexpr std::int32_t InitialColourBase = 3573;
constexpr std::int32_t ColourBaseStep = 2913;

// The region colour made from a running number: its octal digits read as a decimal number,
// so that 3573 (octal 6765) gives 6765.
Colour regionColour(std::int32_t base) {
    Colour colour = 0;
    Colour weight = 1;
    for (; base > 0; base /= 8) {
        colour += (base % 8) * weight;
        weight *= 10;
    }
    return colour;
}

// The sample points of a cell's eight neighbours, as offsets, in the order they are read.
using board::Pitch;
constexpr int NeighbourOffsets[8][2] = {{-Pitch, -Pitch}, {0, -Pitch},   {Pitch, -Pitch},
                                        {-Pitch, 0},      {Pitch, 0},    {-Pitch, Pitch},
                                        {0, Pitch},       {Pitch, Pitch}};
} // namespace

void Game::Encadre(int x, int y, Colour colour) {
    PicFond.setFillStyle(Picture::FillStyle::Transparent);
    PicFond.box(x - board::SampleOffset, y - board::SampleOffset, x + board::SquareEndFromSample,
                y + board::SquareEndFromSample, colour);
}

void Game::Chiffrage() {
    auto px = [this](int n) { return vars_.Cases[n][cell::SampleX]; };
    auto py = [this](int n) { return vars_.Cases[n][cell::SampleY]; };

    // Numbers: a neighbour is a mine when its sample point is pure red; the points of
    // neighbours off the board lie off the picture and read -1.
    for (vars_.Indice = 1; vars_.Indice <= 100; ++vars_.Indice) {
        const int n = vars_.Indice;
        const int x = px(n);
        const int y = py(n);
        vars_.NbVoisins = 0;
        if (vars_.Cases[n][cell::Content] == cell::Mine) {
            continue;
        }
        if (PicFond.pixel(x, y) == colours::Red) {
            ++vars_.NbVoisins;
        }
        for (const auto& d : NeighbourOffsets) {
            if (PicFond.pixel(x + d[0], y + d[1]) == colours::Red) {
                ++vars_.NbVoisins;
            }
        }
        if (vars_.NbVoisins > 0) {
            vars_.PosX = static_cast<std::int16_t>(x);
            vars_.PosY = static_cast<std::int16_t>(y);
            PicFond.setForeColour(vars_.CouleurChiffre[vars_.NbVoisins]);
            PicFond.setTextPosition(x + board::DigitOffset.x(), y + board::DigitOffset.y());
            PicFond.print(QString::number(vars_.NbVoisins));
            vars_.Cases[n][cell::Content] = vars_.NbVoisins;
            vars_.Cases[n][cell::DigitColour] = vars_.CouleurChiffre[vars_.NbVoisins];
            vars_.CouleurCadre = colours::Yellow;
            Encadre(vars_.PosX, vars_.PosY, vars_.CouleurCadre);
        }
    }

    // The wall around the board, so that no region fill runs off the grid.
    PicFond.setFillStyle(Picture::FillStyle::Transparent);
    PicFond.box(0, 0, board::GridEnd, board::GridEnd, vars_.CouleurCadre);

    vars_.BaseCouleur = InitialColourBase;
    PicFond.setFillStyle(Picture::FillStyle::Solid);
    PicFond.setFillColour(regionColour(vars_.BaseCouleur));
    vars_.CouleurFond = PicFond.pixel(px(1) - board::RegionProbe, py(1) - board::RegionProbe);

    // Each empty cell no fill has reached yet starts a region of a colour of its own. The
    // fill crosses the black grid lines and stops only at the yellow frames.
    for (vars_.Indice = 1; vars_.Indice <= 100; ++vars_.Indice) {
        const int n = vars_.Indice;
        vars_.CouleurCentre = PicFond.pixel(px(n), py(n));
        if (vars_.Cases[n][cell::Content] == 0 && vars_.CouleurCentre == vars_.CouleurFond) {
            PicFond.floodFill(px(n), py(n), vars_.CouleurCadre);
            PicFond.refresh();
            vars_.BaseCouleur += ColourBaseStep;
            PicFond.setFillColour(regionColour(vars_.BaseCouleur));
        }
        if (vars_.Cases[n][cell::Content] == 0) {
            vars_.CouleurZone[n] =
                PicFond.pixel(px(n) - board::RegionProbe, py(n) - board::RegionProbe);
        }
    }

    // Regions that touch only at a corner are one region. The cell below-left or below-right
    // takes the colour of the cell above, and so does every cell that shares its old colour:
    // a region may already be made of several areas joined earlier, and all of them follow,
    // so a chain of regions ends with one colour whatever the order the corners come in.
    auto mergeRegions = [&](int upper, int lower) {
        const Colour kept = vars_.CouleurZone[upper];
        const Colour dropped = vars_.CouleurZone[lower];
        if (kept <= RegionThreshold || dropped <= RegionThreshold || kept == dropped) {
            return;
        }
        PicFond.setFillColour(kept);
        for (int k = 1; k <= 100; ++k) {
            if (vars_.CouleurZone[k] != dropped) {
                continue;
            }
            vars_.CouleurZone[k] = kept;
            if (PicFond.pixel(px(k), py(k)) != kept) {
                PicFond.floodFill(px(k), py(k), vars_.CouleurCadre);
            }
        }
    };
    PicFond.refresh();
    // Up to 90, whose cell below-left is 99; 90 has no cell below-right.
    for (vars_.Indice = 1; vars_.Indice <= 90; ++vars_.Indice) {
        const int n = vars_.Indice;
        PicFond.setFillColour(vars_.CouleurZone[n]);
        if (board::column(n) != 1) {
            mergeRegions(n, n + 9);
        }
        if (board::column(n) != board::Side) {
            mergeRegions(n, n + 11);
        }
        PicFond.refresh();
    }

    // Read the regions back: every empty cell its region's colour, every mine cell red, every
    // number cell what its sample point shows (the background, or its digit).
    PicFond.refresh();
    for (vars_.Indice = 1; vars_.Indice <= 100; ++vars_.Indice) {
        const int n = vars_.Indice;
        if (PicFond.pixel(px(n) - board::RegionProbe, py(n) - board::RegionProbe) >
            RegionThreshold) {
            vars_.CouleurZone[n] = PicFond.pixel(px(n), py(n));
        }
    }

    // Wipe the regions and the insides of the frames, grid lines and digits with them; the
    // mine cells keep their red.
    PicFond.setFillColour(PicFond.backColour());
    for (vars_.Indice = 1; vars_.Indice <= 100; ++vars_.Indice) {
        const int n = vars_.Indice;
        if (vars_.Cases[n][cell::Content] != cell::Mine && vars_.CouleurZone[n] > 0) {
            PicFond.floodFill(px(n) - board::RegionProbe, py(n) - board::RegionProbe,
                              vars_.CouleurCadre);
        }
        PicFond.refresh();
    }

    for (vars_.Indice = board::Pitch; vars_.Indice <= board::GridEnd;
         vars_.Indice += board::Pitch) {
        PicFond.line(vars_.Indice, 0, vars_.Indice, board::GridEnd, colours::Black);
        PicFond.line(0, vars_.Indice, board::GridEnd, vars_.Indice, colours::Black);
    }

    // Every number again, and a 9 under each mine picture in its cell's last digit colour.
    for (vars_.Indice = 1; vars_.Indice <= 100; ++vars_.Indice) {
        const int n = vars_.Indice;
        if (vars_.Cases[n][cell::Content] > 0) {
            PicFond.setForeColour(vars_.Cases[n][cell::DigitColour]);
            PicFond.setTextPosition(px(n) + board::DigitOffset.x(), py(n) + board::DigitOffset.y());
            PicFond.print(QString::number(vars_.Cases[n][cell::Content]));
        }
    }

    PicFond.setFillStyle(Picture::FillStyle::Transparent);
    PicFond.box(0, 0, board::GridEnd, board::GridEnd, colours::Black);
}
