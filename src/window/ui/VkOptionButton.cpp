// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/ui/VkOptionButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

VkOptionButton::VkOptionButton(QWidget* parent) : QRadioButton(parent) {
    setAutoFillBackground(false);
}

void VkOptionButton::setValue(int value) {
    if (value != this->value()) {
        setChecked(value != 0);
    }
}

void VkOptionButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    p.setFont(shownFont(devicePixelRatioF(), logicalDpiY()));
    option.fontMetrics = p.fontMetrics();
    p.drawControl(QStyle::CE_RadioButton, option);
}

QRectF VkOptionButton::textBox() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
}

QFont VkOptionButton::shownFont(qreal scale, qreal dpi) const {
    return fit_.font(font(), text(), textBox().size(), textfit::Rule::LineBox, scale, dpi);
}

void VkOptionButton::setForeColour(Colour colour) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, toQColor(colour));
    setPalette(p);
}
