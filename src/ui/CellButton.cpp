// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/CellButton.h"

#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

CellButton::CellButton(int index, QWidget* parent) : QPushButton(parent), index_(index) {
    setFocusPolicy(Qt::NoFocus);
    // Not on the board's table, which speaks for the cell; named for whatever reaches it still.
    setAccessibleName(QStringLiteral("Case %1").arg(index));
}

void CellButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        // Taken here, so the board underneath sees nothing of it.
        event->accept();
        return;
    }
    QPushButton::mousePressEvent(event);
}

void CellButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit rightReleased(index_);
        return;
    }
    QPushButton::mouseReleaseEvent(event);
}

void CellButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // An icon greys its own disabled face with the application's style and colours, which are
    // the desktop's: the button's own make it here instead.
    if (!isEnabled() && !option.icon.isNull()) {
        const qreal scale = devicePixelRatioF();
        if (greyedFrom_ != option.icon.cacheKey() || greyedScale_ != scale) {
            const QPixmap face = option.icon.pixmap(option.iconSize, scale, QIcon::Normal);
            greyed_ = QIcon();
            greyed_.addPixmap(style()->generatedIconPixmap(QIcon::Disabled, face, &option),
                              QIcon::Disabled);
            greyedFrom_ = option.icon.cacheKey();
            greyedScale_ = scale;
        }
        option.icon = greyed_;
    }
    p.drawControl(QStyle::CE_PushButton, option);
}
