// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/BoardView.h"

#include "core/Board.h"
#include "core/Picture.h"
#include "ui/BoardAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace {

// Two rings, dark outside and light inside, each 2 pixels wide: on any colour of the board, the
// cover, the digits or the red of a mine, one of the two stands out.
constexpr int RingWidth = 2;

void paintCursorFrame(QPainter& p, const QRect& square) {
    const QRect inner = square.adjusted(RingWidth, RingWidth, -RingWidth, -RingWidth);
    const QRect core = inner.adjusted(RingWidth, RingWidth, -RingWidth, -RingWidth);
    p.setClipRegion(QRegion(square).subtracted(QRegion(inner)));
    p.fillRect(square, Qt::black);
    p.setClipRegion(QRegion(inner).subtracted(QRegion(core)));
    p.fillRect(inner, Qt::white);
}

// Lies over the cell buttons and the mine pictures, which would hide a frame painted on the
// board itself, and lets the mouse through to them.
class CursorFrame : public QWidget {
public:
    explicit CursorFrame(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("CurseurPlateau"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        paintCursorFrame(p, rect());
    }
};

} // namespace

BoardView::BoardView(const Picture& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    // The picture covers the whole widget: nothing underneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Tab reaches the board; a click plays as before and leaves the focus where it is.
    setFocusPolicy(Qt::TabFocus);
    installBoardAccessible();
    cursorFrame_ = new CursorFrame(this);
    cursorFrame_->setGeometry(cellSquare(cursor_));
    // Whether the player is on the keyboard or the mouse, from every key and click anywhere.
    qApp->installEventFilter(this);
}

BoardView::~BoardView() {
    for (QAccessible::Id& id : cellIds_) {
        if (id != 0) {
            QAccessible::deleteAccessibleInterface(id);
            id = 0;
        }
    }
}

void BoardView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect target(QPoint(0, 0), picture_.image().size());
    const qreal dpr = devicePixelRatioF();
    if (scene_ && dpr != 1) {
        // A scaled screen: the board drawn at the screen's resolution, pixel for pixel, its
        // digits in a font of the scaled size rather than the picture's pixels blown up.
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

int BoardView::cellAtPoint(QPoint p) {
    if (p.x() < 0 || p.y() < 0 || p.x() >= board::GridEnd || p.y() >= board::GridEnd) {
        return 0;
    }
    return board::cellAt(p.y() / board::Pitch + 1, p.x() / board::Pitch + 1);
}

void BoardView::setCursorCell(int cell) {
    if (cell < 1 || cell > board::Cells || cell == cursor_) {
        return;
    }
    cursor_ = cell;
    showCursorFrame();
    if (hasFocus()) {
        announceFocusedCell();
    }
}

QAccessibleInterface* BoardView::cellAccessible(int cell) const {
    QAccessible::Id& id = cellIds_.at(cell);
    if (id == 0) {
        id = QAccessible::registerAccessibleInterface(
            makeCellAccessible(const_cast<BoardView*>(this), cell));
    }
    return QAccessible::accessibleInterface(id);
}

void BoardView::updateAccessibleCells() {
    for (int n = 1; n <= board::Cells; ++n) {
        QString words = describe(n);
        if (words == told_[n]) {
            continue;
        }
        told_[n] = std::move(words);
        // A client that never asked for the cell has nothing to refresh.
        if (cellIds_[n] != 0) {
            QAccessibleEvent changed(cellAccessible(n), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&changed);
        }
    }
}

void BoardView::keyPressEvent(QKeyEvent* event) {
    if (keys_ && keys_(event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    // Only the revealed squares: a covered cell's button takes its own clicks.
    if (hasFocus() && cellPressed_) {
        if (const int n = cellAtPoint(event->position().toPoint()); n != 0) {
            cellPressed_(n);
        }
    }
    QWidget::mousePressEvent(event);
}

void BoardView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    showCursorFrame();
    // Qt announces the board itself once this returns; the cell comes after it, as the
    // object a screen reader should speak.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus()) {
                announceFocusedCell();
            }
        },
        Qt::QueuedConnection);
}

void BoardView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    showCursorFrame();
}

bool BoardView::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::MouseButtonPress) {
        const bool keys = type == QEvent::KeyPress;
        if (keys != keyboardInUse_) {
            keyboardInUse_ = keys;
            showCursorFrame();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BoardView::showCursorFrame() {
    cursorFrame_->setGeometry(cellSquare(cursor_));
    if (hasFocus() && keyboardInUse_) {
        // Above the buttons and mine pictures, whatever was made after it.
        cursorFrame_->raise();
        cursorFrame_->show();
    } else {
        cursorFrame_->hide();
    }
}

void BoardView::announceFocusedCell() {
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(cursor_ - 1);
    QAccessible::updateAccessibility(&focus);
}
