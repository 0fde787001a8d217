#include "plot/widgets/TPlotView.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/PictureReplay.h"
#include "plot/TPlot.h"

TPlotView::TPlotView(const TPlot& plot, QWidget* parent) : QWidget(parent), plot_(plot) {
    setObjectName(QString::fromStdString(plot.Name));
    setGeometry(plot.Left, plot.Top, plot.Width, plot.Height);
    setCursor(Qt::PointingHandCursor);
}

void TPlotView::paintEvent(QPaintEvent*) {
    // Through an image: the sample has the pixels of the graph and the BMP.
    QPainter painter(this);
    painter.drawImage(0, 0, PictureToImage(plot_.SamplePicture, width(), height()));
}

void TPlotView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked(plot_.Tag);
}
