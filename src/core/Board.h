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
constexpr int MineInset = 9;     // a mine picture, from its button's top-left corner
constexpr int MineSize = 32;
constexpr int GridEnd = 500;

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
