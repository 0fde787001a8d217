#pragma once

#include <QMimeData>
#include <memory>

#include "platform/Picture.h"

// The desktop has no clipboard format for enhanced metafiles, so a picture
// goes there as EMF bytes (image/x-emf and image/emf) and, for programs
// that cannot read EMF, as SVG and as a PNG image.
std::unique_ptr<QMimeData> PictureMimeData(const Picture& picture);
void CopyPictureToClipboard(const Picture& picture);
