#include "platform/BmpWriter.h"

#include <QBuffer>
#include <QImage>

#include "platform/PictureReplay.h"

std::string BmpBytes(const Picture& picture) {
    const QImage image = PictureToImage(picture);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}
