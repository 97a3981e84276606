// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Colour.h"
#include "ui/TextFit.h"

#include <QRadioButton>

// The panel's option button, on a transparent background. Its value is 1 when selected and
// 0 when not; selecting it deselects the other buttons of its group.
class VkOptionButton : public QRadioButton {
    Q_OBJECT
public:
    explicit VkOptionButton(QWidget* parent = nullptr);

    int value() const { return isChecked() ? 1 : 0; }
    void setValue(int value);
    void setForeColour(Colour colour);
    // The box its text must fit in, and the font it is shown in on a screen of this scale and
    // font resolution: the designed font, or just small enough to fit.
    QRectF textBox() const;
    // Where the focus frame is drawn while the control has the keyboard focus.
    QRect focusFrame() const;
    QFont shownFont(qreal scale, qreal dpi) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    textfit::Cache fit_;
};
