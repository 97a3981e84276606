// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/ui/CellButton.h"

#include <QMouseEvent>

CellButton::CellButton(int index, QWidget* parent) : QPushButton(parent), index_(index) {
    setFocusPolicy(Qt::NoFocus);
    // Not on the board's table, which speaks for the cell; named for whatever reaches it still.
    setAccessibleName(QStringLiteral("Case %1").arg(index));
}

void CellButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        // Taken here, so the board underneath sees nothing of it.
        event->accept();
        return;
    }
    QPushButton::mousePressEvent(event);
}

void CellButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit rightReleased(index_);
        return;
    }
    QPushButton::mouseReleaseEvent(event);
}
