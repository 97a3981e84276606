// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/ui/VkOptionButton.h"

VkOptionButton::VkOptionButton(QWidget* parent) : QRadioButton(parent) {
    setAutoFillBackground(false);
}

void VkOptionButton::setValue(int value) {
    if (value != this->value()) {
        setChecked(value != 0);
    }
}

void VkOptionButton::setForeColour(Colour colour) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, toQColor(colour));
    setPalette(p);
}
