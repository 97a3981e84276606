// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/TextFit.h"

#include <QFontMetricsF>
#include <QImage>
#include <cmath>

namespace textfit {
namespace {

// A device of the fonts' resolution to measure on. Qt lays text out in logical pixels, each
// glyph's advance as the font gives it at that size, and only then scales the whole to the
// screen: the text takes the same logical room at every scale, to a device pixel.
QImage measuringDevice(qreal dpi) {
    QImage device(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    device.setDotsPerMeterX(dotsPerMetre);
    device.setDotsPerMeterY(dotsPerMetre);
    return device;
}

} // namespace

bool fits(const QFont& font, const QString& text, QSizeF box, Rule rule, qreal scale, qreal dpi) {
    if (text.isEmpty()) {
        return true;
    }
    const QImage device = measuringDevice(dpi);
    const QFontMetricsF m(font, &device);
    const QRectF ink = m.tightBoundingRect(text);
    // Logical pixels; the slack is a device pixel of rounding.
    const qreal width = box.width();
    const qreal height = box.height();
    const qreal Slack = 1.0 / scale;
    // An italic's last glyph may reach past its advance, a first glyph before the pen.
    const qreal needed =
        std::max(m.horizontalAdvance(text), ink.right()) - std::min(0.0, ink.left());
    if (needed > width - 2 * Slack) {
        return false;
    }
    if (rule == Rule::Ink) {
        return ink.height() <= height - 2 * Slack;
    }
    // The line centred in the box: what it inks must stay inside, though the line's accent and
    // descent room may not.
    const qreal baseline = (height - m.height()) / 2 + m.ascent();
    return baseline + ink.top() >= Slack && baseline + ink.bottom() <= height - Slack;
}

QFont fitted(const QFont& designed, const QString& text, QSizeF box, Rule rule, qreal scale,
             qreal dpi) {
    QFont f = designed;
    const qreal points = designed.pointSizeF();
    if (points <= 0) {
        return f;
    }
    for (qreal p = points; p > 1.0; p -= 0.25) {
        f.setPointSizeF(p);
        if (fits(f, text, box, rule, scale, dpi)) {
            return f;
        }
    }
    return f;
}

qreal baselineInBand(const QFont& font, const QString& text, qreal bandHeight, qreal dpi) {
    const QImage device = measuringDevice(dpi);
    const QFontMetricsF m(font, &device);
    if (m.height() <= bandHeight) {
        return (bandHeight - m.height()) / 2 + m.ascent();
    }
    const QRectF ink = m.tightBoundingRect(text);
    // ink.top() is negative: above the baseline.
    return (bandHeight - ink.height()) / 2 - ink.top();
}

} // namespace textfit

namespace textfit {

QFont Cache::font(const QFont& designed, const QString& text, QSizeF box, Rule rule, qreal scale,
                  qreal dpi) const {
    if (scale_ != scale || dpi_ != dpi || box_ != box || text_ != text || designed_ != designed) {
        fitted_ = fitted(designed, text, box, rule, scale, dpi);
        designed_ = designed;
        text_ = text;
        box_ = box;
        scale_ = scale;
        dpi_ = dpi;
    }
    return fitted_;
}

} // namespace textfit
