#include "platform/AtomicFile.h"

#include <QSaveFile>

#include "platform/FormatText.h"
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
