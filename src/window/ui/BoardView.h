// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "minefield/Board.h"

#include <QWidget>
#include <array>
#include <functional>

class Picture;
class QAccessibleInterface;

// The board picture PicFond on screen: shows the game's raster pixel for pixel. The cell
// buttons and the mine pictures are its children.
class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(const Picture& picture, QWidget* parent = nullptr);
    ~BoardView() override;

    // Tells which cells are still covered: their square is shown plain, so the strip of picture
    // left between the buttons never gives away what lies under a covered cell.
    void setCovered(std::function<bool(int cell)> covered) { covered_ = std::move(covered); }
    // The part of the board a cell's square takes on screen.
    static QRect cellSquare(int cell);

    // Tells what a revealed cell shows, in words, for assistive technologies.
    void setDescriber(std::function<QString(int cell)> describer) {
        describer_ = std::move(describer);
    }
    bool isRevealed(int cell) const { return covered_ && !covered_(cell); }
    QString describe(int cell) const { return describer_ ? describer_(cell) : QString(); }
    // The one accessible object standing for a revealed cell, the same for as long as it stays
    // revealed.
    QAccessibleInterface* revealedCellAccessible(int cell) const;
    // To be called once cells may have been revealed or covered: drops the objects of covered
    // cells and tells assistive technologies what came and went.
    void updateAccessibleCells();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Picture& picture_;
    std::function<bool(int)> covered_;
    std::function<QString(int)> describer_;
    // Made on demand; registered with, and deleted through, the accessibility cache.
    mutable std::array<QAccessibleInterface*, board::Cells + 1> revealedCells_{};
};
