#pragma once

#include <string>

#include "platform/Picture.h"

// The picture as an enhanced metafile: pixels are its logical units, the
// frame is the pixel size at 96 dots per inch in hundredths of a
// millimetre, text is Unicode, drawn transparently from its top-left
// reference point.
std::string EmfBytes(const Picture& picture);
