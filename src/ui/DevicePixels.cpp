// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/DevicePixels.h"

#include <QPainter>
#include <QWidget>
#include <cmath>

namespace devicepixels {

namespace {
// Qt paints a widget inside the device pixels from its rounded left (top) edge in the window to
// its rounded right (bottom) edge: the same rounding puts the widget's outer edges exactly on
// its own first and last device pixels.
qreal snap(int logical, int origin, qreal dpr) {
    return std::round((origin + logical) * dpr) / dpr - origin;
}
} // namespace

QRectF snapped(const QWidget* widget, const QRect& logical) {
    const qreal dpr = widget->devicePixelRatioF();
    const QPoint o = widget->mapTo(widget->window(), QPoint(0, 0));
    return QRectF(QPointF(snap(logical.left(), o.x(), dpr), snap(logical.top(), o.y(), dpr)),
                  QPointF(snap(logical.left() + logical.width(), o.x(), dpr),
                          snap(logical.top() + logical.height(), o.y(), dpr)));
}

void fillBorder(QPainter& p, const QWidget* widget, const QRect& logical, int width,
                const QColor& colour) {
    const qreal dpr = widget->devicePixelRatioF();
    const qreal w = std::max(1.0, std::round(width * dpr)) / dpr;
    const QRectF r = snapped(widget, logical);
    p.fillRect(QRectF(r.left(), r.top(), r.width(), w), colour);
    p.fillRect(QRectF(r.left(), r.bottom() - w, r.width(), w), colour);
    p.fillRect(QRectF(r.left(), r.top(), w, r.height()), colour);
    p.fillRect(QRectF(r.right() - w, r.top(), w, r.height()), colour);
}

} // namespace devicepixels
