// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Colour.h"
#include "ui/TextFit.h"

#include <QLabel>

// The panel's one-line label: centred text, a background colour of its own (or none) and an
// optional one-pixel border. The text stays QLabel's own, for screen readers and tests.
class VkLabel : public QLabel {
    Q_OBJECT
public:
    explicit VkLabel(QWidget* parent = nullptr);

    // Hides QLabel::setText: a label that announces tells screen readers of each new text.
    void setText(const QString& text);
    // A screen reader reads an announcing label's new text as it comes, wherever its focus.
    void setAnnounces(bool on) { announces_ = on; }
    bool announces() const { return announces_; }

    void setBackColour(Colour colour);
    Colour backColour() const { return back_; }
    void setForeColour(Colour colour);
    Colour foreColour() const { return fore_; }
    void setSingleBorder(bool on);
    // The box its text must fit in, and the font it is shown in on a screen of this scale and
    // font resolution: the designed font, or just small enough to fit.
    QRectF textBox() const;
    QFont shownFont(qreal scale, qreal dpi) const;
    bool singleBorder() const { return border_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Colour back_ = colours::None;
    Colour fore_ = colours::Black;
    bool border_ = false;
    bool announces_ = false;
    textfit::Cache fit_;
};
