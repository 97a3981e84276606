// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Colour.h"
#include "ui/TextFit.h"

#include <QGroupBox>

// The panel's titled frame: a title bar shaded from left to right, a flat body and a border,
// all painted here. The title stays QGroupBox's own, so a screen reader reads it.
class VkFrame : public QGroupBox {
    Q_OBJECT
public:
    struct Look {
        Colour titleStart = 0xFFFFFF;
        Colour titleEnd = 0xFFFFFF;
        int titleHeight = 20; // pixels
        Colour titleText = colours::Black;
        Colour body = colours::None;   // none: the parent shows through
        Colour border = colours::None; // none: no border
        int borderWidth = 0;
    };

    explicit VkFrame(QWidget* parent = nullptr);

    void setLook(const Look& look);
    const Look& look() const { return look_; }
    // The box its title must fit in, and the font it is shown in on a screen of this scale and
    // font resolution: the designed font, or just small enough to fit.
    QRectF textBox() const;
    QFont shownFont(qreal scale, qreal dpi) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Look look_;
    textfit::Cache fit_;
};
