// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPainter>
#include <QRect>

// The panel's keyboard focus: a black ring two pixels wide, as plain as the board's cursor,
// drawn whenever the control has the focus (not only after a key, as styles do).
inline constexpr int FocusFrameWidth = 2;

inline void paintFocusFrame(QPainter& p, const QRect& outer) {
    const int w = FocusFrameWidth;
    p.fillRect(outer.left(), outer.top(), outer.width(), w, Qt::black);
    p.fillRect(outer.left(), outer.bottom() - w + 1, outer.width(), w, Qt::black);
    p.fillRect(outer.left(), outer.top(), w, outer.height(), Qt::black);
    p.fillRect(outer.right() - w + 1, outer.top(), w, outer.height(), Qt::black);
}
