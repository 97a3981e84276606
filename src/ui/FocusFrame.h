// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/DevicePixels.h"

#include <QPainter>
#include <QRect>

// The panel's keyboard focus: a black ring two pixels wide, as plain as the board's cursor,
// drawn whenever the control has the focus (not only after a key, as styles do), on whole
// device pixels at any scale.
inline constexpr int FocusFrameWidth = 2;

inline void paintFocusFrame(QPainter& p, const QWidget* widget, const QRect& outer) {
    devicepixels::fillBorder(p, widget, outer, FocusFrameWidth, Qt::black);
}
