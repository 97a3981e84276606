// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/VkFrame.h"

#include "ui/DevicePixels.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

VkFrame::VkFrame(QWidget* parent) : QGroupBox(parent) {}

QRectF VkFrame::textBox() const {
    const int inset = qMax(look_.borderWidth, 1) + 1;
    return QRectF(inset, 0, width() - 2 * inset, look_.titleHeight);
}

QFont VkFrame::shownFont(qreal scale, qreal dpi) const {
    return fit_.font(font(), title(), textBox().size(), textfit::Rule::Ink, scale, dpi);
}

void VkFrame::setLook(const Look& look) {
    look_ = look;
    update();
}

void VkFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect all = rect();
    if (look_.body != colours::None) {
        p.fillRect(devicepixels::snapped(this, all), toQColor(look_.body));
    }

    const QRectF bar = devicepixels::snapped(this, QRect(0, 0, all.width(), look_.titleHeight));
    if (look_.titleStart == look_.titleEnd) {
        p.fillRect(bar, toQColor(look_.titleStart));
    } else {
        QLinearGradient shade(0, 0, all.width() - 1, 0);
        shade.setColorAt(0, toQColor(look_.titleStart));
        shade.setColorAt(1, toQColor(look_.titleEnd));
        p.fillRect(bar, shade);
    }
    // Unclipped: a low bar may not hold the font's whole line, but it holds the letters,
    // descenders included.
    p.setPen(toQColor(look_.titleText));
    const QFont shown = shownFont(devicePixelRatioF(), logicalDpiY());
    p.setFont(shown);
    const QRectF box = textBox();
    const qreal width = QFontMetricsF(shown, this).horizontalAdvance(title());
    p.drawText(QPointF(box.left() + (box.width() - width) / 2,
                       textfit::baselineInBand(shown, title(), box.height(), logicalDpiY())),
               title());

    if (look_.border != colours::None && look_.borderWidth > 0) {
        devicepixels::fillBorder(p, this, all, look_.borderWidth, toQColor(look_.border));
    }
}
