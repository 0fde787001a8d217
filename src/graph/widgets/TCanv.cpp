#include "graph/widgets/TCanv.h"

TCanv::TCanv(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Canv");
    setWindowTitle(kCaption);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    resize(550, 320);
}
