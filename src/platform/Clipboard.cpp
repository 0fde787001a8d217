#include "platform/Clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <cmath>

#include "platform/EmfWriter.h"
#include "platform/PictureReplay.h"
#include "platform/PngWriter.h"
#include "platform/SvgWriter.h"

std::unique_ptr<QMimeData> PictureMimeData(const Picture& picture) {
    auto data = std::make_unique<QMimeData>();
    const std::string emf = EmfBytes(picture);
    const QByteArray emfBytes(emf.data(), qsizetype(emf.size()));
    data->setData("image/x-emf", emfBytes);
    data->setData("image/emf", emfBytes);
    data->setData("image/svg+xml", SvgBytes(picture));
    // As sharp as the screen: a device pixel ratio of 2 gives twice the
    // pixels, anti-aliased; at 1, the pixels of the graph window.
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QImage image = PictureToImage(picture);
    if (ratio > 1) {
        image = PictureAtResolution(picture, {.Dpi = int(std::lround(96 * ratio))});
        image.setDevicePixelRatio(ratio);
    }
    data->setImageData(image);
    return data;
}

void CopyPictureToClipboard(const Picture& picture) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    clipboard->setMimeData(PictureMimeData(picture).release());
}
