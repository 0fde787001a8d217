#pragma once

#include <QPainter>

#include "platform/Picture.h"

// Replays a picture onto a painter with the classic pixel rules: aliased,
// a line does not paint its end point, a box excludes its right and bottom
// edges, text hangs from the top-left corner of its first character cell
// and turns about it.
//
// On a 32-bit image (translated at most, not clipped) lines and marks are
// pixels of Raster, the same wherever the image is shown or saved; on any
// other device (a widget) they are Qt's aliased shapes, each run of lines
// one polyline. Windows show pictures through such images.
//
// Smooth: anti-aliased vector shapes on any device, a stroke of odd width
// centred on the pixel centres the pixel rules paint; for PDF and for
// images at other resolutions.
enum class ReplayStyle { Pixels, Smooth };
// Without `backdrops` the boxes behind texts are left out, for a
// transparent background.
void ReplayPicture(QPainter& painter, const Picture& picture, int x = 0, int y = 0,
                   ReplayStyle style = ReplayStyle::Pixels, bool backdrops = true);

// A white 32-bit image to replay pictures on. Filled by a plain loop:
// Qt's vector fill can leave the upper halves of the x86 vector registers
// in use, and the scalar code after it (the metafile writers) then ran
// 2.5 times slower. ReplayPicture clears them after Qt's painting.
QImage WhiteImage(int width, int height);

// An image of the size, allocated and checked: raises "メモリが足りません"
// with its size when it would not fit the memory or cannot be allocated,
// so that no save goes on with a null image and writes an empty file.
QImage NewImage(int width, int height, QImage::Format format);
inline constexpr const char* kImageMemoryText = "メモリが足りません (%s x %s ピクセルの画像)";
[[noreturn]] void RaiseImageMemory(int width, int height);

// The image in a file format ("PNG", "BMP"); raises as NewImage when the
// encoder runs out of room, never giving empty bytes for a picture.
std::string EncodedImage(const QImage& image, const char* format);

// The picture on a white 24-bit image of its own size (or the given size).
QImage PictureToImage(const Picture& picture, int width = -1, int height = -1);
