#include "platform/SvgWriter.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include "platform/PictureReplay.h"

QByteArray SvgBytes(const Picture& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(picture.Width(), picture.Height()));
    svg.setViewBox(QRect(0, 0, picture.Width(), picture.Height()));
    svg.setResolution(96);
    svg.setTitle("Kurvo");
    QPainter painter(&svg);
    // Vector shapes, not copies of bitmaps.
    ReplayPicture(painter, picture);
    painter.end();
    return bytes;
}
