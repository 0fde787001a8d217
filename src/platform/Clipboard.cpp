#include "platform/Clipboard.h"
#include "platform/EmfWriter.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
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
    ReplayPicture(painter, picture, 0, 0, false);
    painter.end();
    return bytes;
}

std::unique_ptr<QMimeData> PictureMimeData(const Picture& picture) {
    auto data = std::make_unique<QMimeData>();
    const std::string emf = EmfBytes(picture);
    const QByteArray emfBytes(emf.data(), qsizetype(emf.size()));
    data->setData("image/x-emf", emfBytes);
    data->setData("image/emf", emfBytes);
    data->setData("image/svg+xml", SvgBytes(picture));
    data->setImageData(PictureToImage(picture));
    return data;
}

void CopyPictureToClipboard(const Picture& picture) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    clipboard->setMimeData(PictureMimeData(picture).release());
}
