// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>

// Places as the window was designed, in twips. The board picture's own controls are written
// here, in the core, because the game's model starts from them; the window's layout table
// places them from the same values.
namespace design {

// Twips per pixel of the design.
constexpr int TwipsPerPixel = 15;

struct TwipsRect {
    int left, top, width, height;

    constexpr QRect pixels() const {
        return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
                height / TwipsPerPixel};
    }
};

// In the board picture: the three picture holders, the first mine picture and cell button 1.
constexpr TwipsRect Nuage{180, 3600, 480, 480};
constexpr TwipsRect iBomb{210, 2790, 480, 480};
constexpr TwipsRect RBomb{90, 1710, 660, 660};
constexpr TwipsRect Bombe_1{0, 810, 480, 480};
constexpr TwipsRect BtnBomb_1{30, 30, 720, 720};

} // namespace design
