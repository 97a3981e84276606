// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

// Keeps a control's text whole in its designed box, whatever the screen's scale and font
// resolution: a larger font resolution grows the text but not the box.
namespace textfit {

enum class Rule {
    LineBox, // the style centres the font's whole line in the box: the line must fit
    Ink,     // the text is placed by its inked pixels: only those must fit
};

// Whether the text in this font fits a box of this size (logical pixels) on a screen of this
// scale, with fonts at this resolution (dots per inch before scaling).
bool fits(const QFont& font, const QString& text, QSizeF box, Rule rule, qreal scale, qreal dpi);

// The designed font where the text fits; else the same font just small enough, in steps of a
// quarter point.
QFont fitted(const QFont& designed, const QString& text, QSizeF box, Rule rule, qreal scale,
             qreal dpi);

// Where to put the baseline in a band of this height (logical pixels from the band's top): the
// font's line centred, as a style centres it, where the band holds it; else the text's inked
// pixels centred.
qreal baselineInBand(const QFont& font, const QString& text, qreal bandHeight, qreal dpi);

} // namespace textfit

namespace textfit {

// The last fitted font of one control, kept until its text, font, box or screen changes.
class Cache {
public:
    QFont font(const QFont& designed, const QString& text, QSizeF box, Rule rule, qreal scale,
               qreal dpi) const;

private:
    mutable QFont designed_;
    mutable QString text_;
    mutable QSizeF box_;
    mutable qreal scale_ = 0;
    mutable qreal dpi_ = 0;
    mutable QFont fitted_;
};

} // namespace textfit
