// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/VkOptionButton.h"

#include "ui/FocusFrame.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
// The disc: white, rimmed in dark grey; the chosen one holds a black dot.
constexpr QRgb DiscRim = 0xFF404040;
constexpr qreal DiscRimWidth = 1.5;
constexpr qreal DotShare = 0.5; // of the disc's width
} // namespace

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
    // The style's own focus mark, a faint box after a key only, gives way to the panel's.
    option.state &= ~QStyle::State_HasFocus;
    p.setFont(shownFont(devicePixelRatioF(), logicalDpiY()));
    option.fontMetrics = p.fontMetrics();
    // The caption by the style; the disc drawn here, the same on every desktop and plain to
    // read: a style's pale rim and grey dot are hard to tell apart on the light green panel.
    QStyleOptionButton caption = option;
    caption.rect = style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
    p.drawControl(QStyle::CE_RadioButtonLabel, caption);
    const QRectF disc =
        QRectF(style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this))
            .adjusted(DiscRimWidth / 2, DiscRimWidth / 2, -DiscRimWidth / 2, -DiscRimWidth / 2);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor::fromRgba(DiscRim), DiscRimWidth));
    p.setBrush(Qt::white);
    p.drawEllipse(disc);
    if (isChecked()) {
        const qreal d = disc.width() * DotShare;
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QRectF(disc.center() - QPointF(d, d) / 2, QSizeF(d, d)));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    if (hasFocus()) {
        paintFocusFrame(p, this, focusFrame());
    }
}

QRect VkOptionButton::focusFrame() const {
    return rect();
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
