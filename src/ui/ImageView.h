// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QWidget>

// An image control: paints its picture over its whole area, on a transparent background.
// The picture is only rendered when the control is painted.
class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent = nullptr);

    void setPicture(const QIcon& picture);
    const QIcon& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QIcon picture_;
};
