// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/ui/VkLabel.h"

#include <QPainter>

namespace {
constexpr Colour BorderColour = colours::Black;
}

VkLabel::VkLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setTextFormat(Qt::PlainText);
    setForeColour(colours::Black);
}

void VkLabel::setBackColour(Colour colour) {
    if (colour != back_) {
        back_ = colour;
        update();
    }
}

void VkLabel::setForeColour(Colour colour) {
    if (colour == fore_ && palette().color(QPalette::WindowText) == toQColor(colour)) {
        return;
    }
    fore_ = colour;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, toQColor(colour));
    setPalette(p);
}

void VkLabel::setSingleBorder(bool on) {
    if (on != border_) {
        border_ = on;
        // Keeps the text clear of the border.
        const int m = on ? 1 : 0;
        setContentsMargins(m, m, m, m);
        update();
    }
}

void VkLabel::paintEvent(QPaintEvent*) {
    {
        QPainter p(this);
        if (back_ != Transparent) {
            p.fillRect(rect(), toQColor(back_));
        }
        if (border_) {
            p.setPen(toQColor(BorderColour));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
        // One line of plain text, centred, in a font that keeps it whole.
        p.setFont(shownFont(devicePixelRatioF(), logicalDpiY()));
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(contentsRect(), static_cast<int>(alignment()) | Qt::TextSingleLine, text());
    }
}

QRectF VkLabel::textBox() const {
    return contentsRect();
}

QFont VkLabel::shownFont(qreal scale, qreal dpi) const {
    return fit_.font(font(), text(), textBox().size(), textfit::Rule::LineBox, scale, dpi);
}
