// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ImageView.h"

#include <QPainter>

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
    // Clicks go to the board underneath, as on an image control.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ImageView::setPicture(const QIcon& picture) {
    if (picture.cacheKey() != picture_.cacheKey()) {
        picture_ = picture;
        update();
    }
}

void ImageView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    picture_.paint(&p, rect());
}
