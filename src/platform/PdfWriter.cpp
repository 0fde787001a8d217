#include "platform/PdfWriter.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include "platform/PictureReplay.h"

QByteArray PdfBytes(const Picture& picture) {
    constexpr double kPointsPerPixel = 72.0 / 96;
    const int w = std::max(picture.Width(), 1), h = std::max(picture.Height(), 1);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setCreator("Kurvo");
        pdf.setTitle("Kurvo");
        pdf.setPageSize(
            QPageSize(QSizeF(w * kPointsPerPixel, h * kPointsPerPixel), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        // One device unit is one pixel of the picture.
        pdf.setResolution(96);
        QPainter painter(&pdf);
        painter.fillRect(QRect(0, 0, w, h), Qt::white);
        ReplayPicture(painter, picture, 0, 0, ReplayStyle::Smooth);
    }
    return bytes;
}
