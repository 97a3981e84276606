// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/ui/CellButton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int FocusRingWidth = 3;

QString accessibleNameOf(int index, CellButton::Mark mark) {
    const QString cell = QStringLiteral("Case %1").arg(index);
    switch (mark) {
    case CellButton::Mark::None:
        break;
    case CellButton::Mark::Mine:
        return cell + QStringLiteral(" : mine marquée");
    case CellButton::Mark::Question:
        return cell + QStringLiteral(" : point d'interrogation");
    }
    return cell;
}

} // namespace

CellButton::CellButton(int index, QWidget* parent) : QPushButton(parent), index_(index) {
    setAccessibleName(accessibleNameOf(index_, mark_));
}

void CellButton::setMark(Mark mark) {
    if (mark != mark_) {
        mark_ = mark;
        setAccessibleName(accessibleNameOf(index_, mark_));
    }
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

void CellButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool plain =
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
    const int rowStep = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
    const int columnStep = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
    const bool move = rowStep != 0 || columnStep != 0;
    const bool left = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool right = key == Qt::Key_Menu || key == Qt::Key_M;
    if (plain && (move || left || right || key == Qt::Key_Space)) {
        // The player is on the keyboard: the style shows where the focus is from now on.
        window()->setAttribute(Qt::WA_KeyboardFocusChange);
    }
    if (!plain || !(move || left || right)) {
        // Space included: QAbstractButton's own press, and the click on release.
        QPushButton::keyPressEvent(event);
        return;
    }
    event->accept();
    if (move) {
        emit moveRequested(index_, rowStep, columnStep);
        return;
    }
    // A held key repeats: it must not go on to the cell the focus moves to.
    if (event->isAutoRepeat()) {
        return;
    }
    if (left) {
        click();
    } else {
        emit rightReleased(index_);
    }
}

void CellButton::focusInEvent(QFocusEvent* event) {
    QPushButton::focusInEvent(event);
    emit focusEntered(index_);
}

void CellButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    // The style's focus frame is a hairline; a keyboard player must find the cell at a glance.
    // A mouse player sees none, as with the style's own frame.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().color(QPalette::Highlight), FocusRingWidth));
        p.setBrush(Qt::NoBrush);
        const qreal inset = FocusRingWidth / 2.0;
        p.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), 3, 3);
    }
}
