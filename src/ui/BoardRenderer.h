// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Board.h"
#include "core/Colour.h"

#include <QFont>
#include <QImage>
#include <array>

class Game;

// What the board shows on screen, taken from the game's state rather than from its picture.
struct BoardScene {
    bool grid = false; // no lines before the first deal
    Colour background = colours::BoardBackground;
    // Per cell 1..100: whether its button still covers it, its content (0 empty, 1..8 a number,
    // cell::Mine a mine) and the colour its digit was printed in.
    std::array<bool, board::Cells + 1> covered{};
    std::array<int, board::Cells + 1> content{};
    std::array<Colour, board::Cells + 1> digitColour{};

    bool operator==(const BoardScene&) const = default;

    // The game's board, every cell uncovered (the view knows which buttons still stand).
    static BoardScene of(const Game& game);
};

// Draws the board at a screen's own resolution. At a fractional device pixel ratio the 502x502
// picture scaled up would give grid lines of uneven widths and jagged or blurred digits; here
// each line edge falls on a device pixel, every line has the same width and the digits are
// drawn in a font of the scaled size. The game itself only ever reads its picture.
class BoardRenderer {
public:
    // The device pixel where a logical coordinate of the board begins.
    static int edge(int logical, qreal dpr) { return qRound(logical * dpr); }
    // The width of a one-pixel grid line, in device pixels.
    static int lineWidth(qreal dpr) { return qMax(1, qRound(dpr)); }

    // An image of ceil(502 * dpr) device pixels square, its device pixel ratio set to dpr.
    static QImage render(const BoardScene& scene, const QFont& digitFont, qreal dpr);
};
