// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Colour.h"
#include "ui/TextFit.h"

#include <QPushButton>

// The panel's push button: a face shaded from top to bottom, a coloured caption. The caption
// stays QPushButton's own text and is drawn by the style.
//
// Its keyboard shortcut is Alt and one letter of the caption, underlined when painted. The text
// itself keeps no "&": the game, the tests and screen readers read it as shown, and the
// shortcut is the button's own, so a screen reader learns it as the button's key binding.
class VkCommand : public QPushButton {
    Q_OBJECT
public:
    explicit VkCommand(QWidget* parent = nullptr);

    // Hides QAbstractButton::setText, which would replace the shortcut by the mnemonic of a
    // text without any.
    void setText(const QString& text);
    // The letter of Alt+letter; a null letter removes the shortcut.
    void setMnemonic(QChar letter);
    QChar mnemonic() const { return mnemonic_; }

    void setFace(Colour top, Colour bottom);
    void setForeColour(Colour colour);
    Colour foreColour() const { return fore_; }
    // The box its text must fit in, and the font it is shown in on a screen of this scale and
    // font resolution: the designed font, or just small enough to fit.
    QRectF textBox() const;
    // Where the focus frame is drawn while the control has the keyboard focus.
    QRect focusFrame() const;
    QFont shownFont(qreal scale, qreal dpi) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyMnemonic();
    QString shownText() const;

    QChar mnemonic_;
    Colour faceTop_ = 0xFFFFFF;
    Colour faceBottom_ = 0xC0C0C0;
    Colour fore_ = colours::Black;
    textfit::Cache fit_;
};
