#include "platform/Clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>

#include "platform/EmfWriter.h"
#include "platform/PictureReplay.h"
#include "platform/SvgWriter.h"

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
