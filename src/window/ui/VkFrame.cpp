// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/ui/VkFrame.h"

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
    if (look_.body != None) {
        p.fillRect(all, toQColor(look_.body));
    }

    const QRect bar(0, 0, all.width(), look_.titleHeight);
    if (look_.titleStart == look_.titleEnd) {
        p.fillRect(bar, toQColor(look_.titleStart));
    } else {
        QLinearGradient shade(bar.left(), 0, bar.right(), 0);
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

    if (look_.border != None && look_.borderWidth > 0) {
        const QColor c = toQColor(look_.border);
        const int w = look_.borderWidth;
        p.fillRect(0, 0, all.width(), w, c);
        p.fillRect(0, all.height() - w, all.width(), w, c);
        p.fillRect(0, 0, w, all.height(), c);
        p.fillRect(all.width() - w, 0, w, all.height(), c);
    }
}
