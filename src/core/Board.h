// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>

// Geometry of the board, in pixels of the board picture.
namespace board {
constexpr int Cells = 100;
constexpr int Side = 10;
constexpr int Pitch = 50;      // distance between neighbouring cells
constexpr int ButtonInset = 2; // a cell's button starts 2 pixels into its square
constexpr int ButtonSize = 48;
constexpr int SampleOffset = 27; // a cell's sample point, from its square's top-left corner
// The same point from its button's top-left corner.
constexpr int SampleFromButton = SampleOffset - ButtonInset;
// A cell's square ends on the next grid lines, this far right of and below its sample point;
// its frame runs from SampleOffset before the point to this after it.
constexpr int SquareEndFromSample = Pitch - SampleOffset;
// Where a cell's digit is printed from, relative to its sample point: a little to the left, at
// the top of its square.
constexpr QPoint DigitOffset{-13, -SampleOffset};
// A cell's region colour is read this far up and left of its sample point: inside its frame,
// left of its digit.
constexpr int RegionProbe = 20;
constexpr int MineInset = 9; // a mine picture, from its button's top-left corner
constexpr int MineSize = 32;
constexpr int GridEnd = 500;

static_assert(SampleFromButton == 25 && SquareEndFromSample == 23);

constexpr int row(int n) {
    return (n - 1) / Side + 1;
}
constexpr int column(int n) {
    return (n - 1) % Side + 1;
}
constexpr int cellAt(int r, int c) {
    return Side * (r - 1) + c;
}
constexpr QPoint samplePoint(int n) {
    return {SampleOffset + Pitch * (column(n) - 1), SampleOffset + Pitch * (row(n) - 1)};
}
constexpr QRect buttonRect(int n) {
    return {ButtonInset + Pitch * (column(n) - 1), ButtonInset + Pitch * (row(n) - 1), ButtonSize,
            ButtonSize};
}
} // namespace board
