// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QRect>
#include <QRectF>

class QPainter;
class QWidget;

// Edges on whole device pixels. On a screen scaled by a fraction a widget's logical edges fall
// between device pixels, where a one-pixel line is lost or doubled depending on its place; each
// edge here is taken to the device line nearest to it (counted from the window's corner, so
// neighbours agree), and every line is a whole number of device pixels wide, at least one.
namespace devicepixels {

// `logical`, a rectangle of the widget, with each edge moved to the nearest device line.
QRectF snapped(const QWidget* widget, const QRect& logical);

// A border `width` logical pixels wide inside `logical`: the same whole number of device pixels
// on all four sides.
void fillBorder(QPainter& p, const QWidget* widget, const QRect& logical, int width,
                const QColor& colour);

} // namespace devicepixels
