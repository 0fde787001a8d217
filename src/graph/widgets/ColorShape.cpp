#include "graph/widgets/ColorShape.h"

#include <QPainter>

void ColorShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Color);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColorShape::mouseReleaseEvent(QMouseEvent*) {
    emit Released();
}
