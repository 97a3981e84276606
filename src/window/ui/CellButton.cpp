#include "window/ui/CellButton.h"

#include <QMouseEvent>

CellButton::CellButton(int index, QWidget* parent) : QPushButton(parent), index_(index) {
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
