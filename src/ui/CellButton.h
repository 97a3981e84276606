// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>

// A cell's button: shows a face and no text, carries its cell number, and besides the left
// click reports the release of the right mouse button. Qt hands a release to the widget that
// took the press, so a right press on one cell released over another belongs to the first.
//
// It never takes the keyboard focus: the board does, and plays its cursor's cell from the keys.
class CellButton : public QPushButton {
    Q_OBJECT
public:
    CellButton(int index, QWidget* parent = nullptr);
    int index() const { return index_; }

signals:
    void rightReleased(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int index_;
    // The greyed face of a disabled cell, made by the button's own style, and what it was made
    // from.
    QIcon greyed_;
    qint64 greyedFrom_ = 0;
    qreal greyedScale_ = 0;
};
