// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/ui/BoardView.h"

#include "minefield/Board.h"
#include "minefield/Picture.h"
#include "window/ui/BoardAccessible.h"

#include <QAccessible>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

BoardView::BoardView(const Picture& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    // The picture covers the whole widget: nothing underneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    installBoardAccessible();
}

BoardView::~BoardView() {
    for (QAccessibleInterface*& a : revealedCells_) {
        if (a != nullptr) {
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(a));
            a = nullptr;
        }
    }
}

void BoardView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect target(QPoint(0, 0), picture_.image().size());
    const qreal dpr = devicePixelRatioF();
    if (scene_ && dpr != std::floor(dpr)) {
        // A fractional scale: the board drawn at the screen's resolution, pixel for pixel.
        p.drawImage(QPoint(0, 0), screenImage(dpr));
    } else {
        paintPicture(p, event->rect());
    }
    // Outside the picture, if the widget is ever larger than it.
    const QRegion rest = QRegion(event->rect()).subtracted(target);
    for (const QRect& r : rest) {
        p.fillRect(r, palette().window());
    }
}

void BoardView::paintPicture(QPainter& p, const QRect& exposed) {
    // On a screen scaled by a whole factor each pixel becomes a block of the same colour: the
    // board's colours must stay exact, never blended.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QImage& image = picture_.image();
    p.drawImage(QRect(QPoint(0, 0), image.size()), image);
    if (covered_) {
        const QColor plain = toQColor(picture_.backColour());
        for (int n = 1; n <= board::Cells; ++n) {
            if (covered_(n) && exposed.intersects(cellSquare(n))) {
                p.fillRect(cellSquare(n), plain);
            }
        }
    }
}

const QImage& BoardView::screenImage(qreal dpr) {
    BoardScene scene = scene_();
    for (int n = 1; n <= board::Cells; ++n) {
        scene.covered[n] = covered_ && covered_(n);
    }
    if (screen_.isNull() || screen_.devicePixelRatio() != dpr || scene != drawnScene_) {
        screen_ = BoardRenderer::render(scene, picture_.font(), dpr);
        drawnScene_ = std::move(scene);
    }
    return screen_;
}

void BoardView::updateCell(int cell) {
    update(cellSquare(cell).adjusted(-1, -1, 1, 1));
}

QRect BoardView::cellSquare(int cell) {
    // Inside the grid lines and the board's border.
    const int left = board::Pitch * (board::column(cell) - 1) + 1;
    const int top = board::Pitch * (board::row(cell) - 1) + 1;
    return QRect(left, top, board::Pitch - 1, board::Pitch - 1);
}

QAccessibleInterface* BoardView::revealedCellAccessible(int cell) const {
    QAccessibleInterface*& a = revealedCells_.at(cell);
    if (a == nullptr) {
        a = makeRevealedCellAccessible(const_cast<BoardView*>(this), cell);
        QAccessible::registerAccessibleInterface(a);
    }
    return a;
}

void BoardView::updateAccessibleCells() {
    // Without a client listening, the objects are only made when asked for.
    const bool announce = QAccessible::isActive();
    for (int n = 1; n <= board::Cells; ++n) {
        QAccessibleInterface*& a = revealedCells_[n];
        if (isRevealed(n)) {
            if (a == nullptr && announce) {
                QAccessibleEvent created(revealedCellAccessible(n), QAccessible::ObjectCreated);
                QAccessible::updateAccessibility(&created);
            }
        } else if (a != nullptr) {
            QAccessibleEvent destroyed(a, QAccessible::ObjectDestroyed);
            QAccessible::updateAccessibility(&destroyed);
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(a));
            a = nullptr;
        }
    }
}
