// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>

// A cell's button: shows a face and no text, carries its cell number, and besides the left
// click reports the release of the right mouse button. Qt hands a release to the widget that
// took the press, so a right press on one cell released over another belongs to the first.
//
// From the keyboard, Space, Enter and Return are the left click and the context-menu key and
// "M" the right button's release, so they reach the game by the same signals as the mouse;
// the arrow keys ask the window to move the focus to a neighbouring cell.
class CellButton : public QPushButton {
    Q_OBJECT
public:
    // What the face shows, for the name a screen reader speaks.
    enum class Mark { None, Mine, Question };

    CellButton(int index, QWidget* parent = nullptr);
    int index() const { return index_; }

    void setMark(Mark mark);
    Mark mark() const { return mark_; }

signals:
    void rightReleased(int index);
    // One step in a direction: rowStep and columnStep are -1, 0 or 1.
    void moveRequested(int index, int rowStep, int columnStep);
    void focusEntered(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int index_;
    Mark mark_ = Mark::None;
};
