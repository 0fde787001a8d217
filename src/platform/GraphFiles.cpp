#include "platform/FormatText.h"
#include "platform/GraphFiles.h"

#include <QBuffer>
#include <QImage>
#include <QSaveFile>

#include "platform/PictureReplay.h"
#include "platform/RaisedError.h"

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
    QSaveFile file(QString::fromStdString(path));
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a write the disk had room for only in part is
    // seen here: through the buffer it would be committed cut short.
    const bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                    file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()) &&
                    file.commit();
    if (!ok) {
        file.cancelWriting();
        Raise(FormatText(kCannotCreateText, {path}));
    }
}

std::string BmpBytes(const Picture& picture) {
    const QImage image = PictureToImage(picture);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

std::string FileExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    return path.substr(dot);
}

std::string WithoutExtension(const std::string& path) {
    return path.substr(0, path.size() - FileExtension(path).size());
}
