#include "window/ui/BoardView.h"

#include "minefield/Picture.h"

#include <QPaintEvent>
#include <QPainter>

BoardView::BoardView(const Picture& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    // The picture covers the whole widget: nothing underneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    // On a scaled screen each pixel becomes a block of the same colour: the board's colours
    // must stay exact, never blended.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QImage& image = picture_.image();
    const QRect target(QPoint(0, 0), image.size());
    p.drawImage(target, image);
    // Outside the picture, if the widget is ever larger than it.
    const QRegion rest = QRegion(event->rect()).subtracted(target);
    for (const QRect& r : rest) {
        p.fillRect(r, palette().window());
    }
}
