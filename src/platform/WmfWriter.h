#pragma once

#include <string>

#include "platform/Picture.h"

// The picture as a placeable Windows metafile: 2540 units per inch (so a
// unit is a hundredth of a millimetre, a pixel 2540 / 96 of them), the
// bounding box from (0, 0) to the frame, text as CP932 bytes in fonts of
// the Shift-JIS character set.
std::string WmfBytes(const Picture& picture);
