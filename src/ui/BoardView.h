// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Board.h"
#include "ui/BoardRenderer.h"

#include <QAccessible>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>

class Picture;
class QAccessibleInterface;
class QPainter;

// The board picture PicFond on screen: shows the game's raster pixel for pixel. The cell
// buttons and the mine pictures are its children.
//
// The board is one stop of the Tab chain. While it has the keyboard focus and the player uses
// the keyboard, a frame shows its cursor's cell; a mouse player sees the board as ever. And
// assistive technologies see it as 10 rows of 10 table cells whose focused cell is the
// cursor's.
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
    // The cell under a point of the board, 0 off the cells.
    static int cellAtPoint(QPoint p);
    // Repaints a cell's square, with a pixel around it: on a fractional scale its edges fall
    // inside device pixels that the square's own rectangle would leave out.
    void updateCell(int cell);
    // Tells what the board shows, for drawing it at a fractional scale from the game's state.
    void setScene(std::function<BoardScene()> scene) { scene_ = std::move(scene); }

    // Tells what a cell shows, in words, for assistive technologies.
    void setDescriber(std::function<QString(int cell)> describer) {
        describer_ = std::move(describer);
    }
    QString describe(int cell) const { return describer_ ? describer_(cell) : QString(); }

    // Keys pressed on the board go to this handler first; it says whether it took the key.
    void setKeyHandler(std::function<bool(QKeyEvent*)> handler) { keys_ = std::move(handler); }
    // A mouse press on a cell's square while the board has the focus.
    void setCellPressHandler(std::function<void(int cell)> handler) {
        cellPressed_ = std::move(handler);
    }

    // The cursor's cell. Moving it tells assistive technologies of the newly focused cell.
    int cursorCell() const { return cursor_; }
    void setCursorCell(int cell);
    // The one accessible object standing for a cell, the same for the board's whole life.
    QAccessibleInterface* cellAccessible(int cell) const;
    // To be called once what cells show may have changed: tells assistive technologies of each
    // cell whose words changed.
    void updateAccessibleCells();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCursorFrame();
    void announceFocusedCell();
    void paintPicture(QPainter& p, const QRect& exposed);
    // The board at this device pixel ratio, redrawn when what it shows changes.
    const QImage& screenImage(qreal dpr);

    const Picture& picture_;
    std::function<BoardScene()> scene_;
    BoardScene drawnScene_;
    QImage screen_;
    std::function<bool(int)> covered_;
    std::function<QString(int)> describer_;
    std::function<bool(QKeyEvent*)> keys_;
    std::function<void(int)> cellPressed_;
    int cursor_ = 1;
    bool keyboardInUse_ = false; // the player's last key or click was a key
    QWidget* cursorFrame_ = nullptr;
    // Made on demand; registered with, and deleted through, the accessibility cache.
    mutable std::array<QAccessible::Id, board::Cells + 1> cellIds_{};
    std::array<QString, board::Cells + 1> told_; // each cell's words as last announced
};
