// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "minefield/Board.h"
#include "window/BoardRenderer.h"

#include <QWidget>
#include <array>
#include <functional>

class Picture;
class QAccessibleInterface;
class QPainter;

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
    // Repaints a cell's square, with a pixel around it: on a fractional scale its edges fall
    // inside device pixels that the square's own rectangle would leave out.
    void updateCell(int cell);
    // Tells what the board shows, for drawing it at a fractional scale from the game's state.
    void setScene(std::function<BoardScene()> scene) { scene_ = std::move(scene); }

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
    void paintPicture(QPainter& p, const QRect& exposed);
    // The board at this device pixel ratio, redrawn when what it shows changes.
    const QImage& screenImage(qreal dpr);

    const Picture& picture_;
    std::function<BoardScene()> scene_;
    BoardScene drawnScene_;
    QImage screen_;
    std::function<bool(int)> covered_;
    std::function<QString(int)> describer_;
    // Made on demand; registered with, and deleted through, the accessibility cache.
    mutable std::array<QAccessibleInterface*, board::Cells + 1> revealedCells_{};
};
