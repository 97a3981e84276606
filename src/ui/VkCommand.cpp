// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/VkCommand.h"

#include "ui/FocusFrame.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr Colour Outline = 0x707070;
constexpr Colour HoverOutline = 0xD77800; // the light blue of a hovered button
constexpr qreal Radius = 3;
} // namespace

VkCommand::VkCommand(QWidget* parent) : QPushButton(parent) {
    setAttribute(Qt::WA_Hover);
    setForeColour(colours::Black);
}

void VkCommand::setText(const QString& text) {
    QPushButton::setText(text);
    applyMnemonic();
}

void VkCommand::setMnemonic(QChar letter) {
    mnemonic_ = letter.toUpper();
    applyMnemonic();
    update();
}

void VkCommand::applyMnemonic() {
    setShortcut(mnemonic_.isNull()
                    ? QKeySequence()
                    : QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(mnemonic_.unicode()))));
}

QString VkCommand::shownText() const {
    // The style underlines the letter after a "&" and shows "&&" as one "&".
    QString shown = text();
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    if (!mnemonic_.isNull()) {
        const qsizetype at = shown.indexOf(mnemonic_, 0, Qt::CaseInsensitive);
        if (at >= 0) {
            shown.insert(at, QLatin1Char('&'));
        }
    }
    return shown;
}

void VkCommand::keyPressEvent(QKeyEvent* event) {
    // Enter presses a focused button here as in a dialog; a held key presses it once.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        if (!event->isAutoRepeat()) {
            click();
        }
        return;
    }
    QPushButton::keyPressEvent(event);
}

void VkCommand::setFace(Colour top, Colour bottom) {
    faceTop_ = top;
    faceBottom_ = bottom;
    update();
}

void VkCommand::setForeColour(Colour colour) {
    fore_ = colour;
    QPalette p = palette();
    // Only the enabled ink: a disabled button keeps the style's greyed caption.
    p.setColor(QPalette::Active, QPalette::ButtonText, toQColor(colour));
    p.setColor(QPalette::Inactive, QPalette::ButtonText, toQColor(colour));
    setPalette(p);
}

void VkCommand::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = shownText();

    const bool sunken = isDown() || isChecked();
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient shade(face.topLeft(), face.bottomLeft());
    shade.setColorAt(0, toQColor(sunken ? faceBottom_ : faceTop_));
    shade.setColorAt(1, toQColor(sunken ? faceTop_ : faceBottom_));
    p.setRenderHint(QPainter::Antialiasing);
    const bool hovered = isEnabled() && underMouse();
    p.setPen(toQColor(hovered ? HoverOutline : Outline));
    p.setBrush(shade);
    p.drawRoundedRect(face, Radius, Radius);
    p.setRenderHint(QPainter::Antialiasing, false);

    if (hasFocus()) {
        paintFocusFrame(p, this, focusFrame());
    }
    p.setFont(shownFont(devicePixelRatioF(), logicalDpiY()));
    option.fontMetrics = p.fontMetrics();
    p.drawControl(QStyle::CE_PushButtonLabel, option);
}

QRect VkCommand::focusFrame() const {
    // Inside the rounded outline, clear of the caption.
    return rect().adjusted(3, 3, -3, -3);
}

QRectF VkCommand::textBox() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

QFont VkCommand::shownFont(qreal scale, qreal dpi) const {
    return fit_.font(font(), text(), textBox().size(), textfit::Rule::LineBox, scale, dpi);
}
