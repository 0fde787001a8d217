#pragma once

#include <QPainter>

#include "platform/Picture.h"

// Replays a picture onto a painter with the classic pixel rules: aliased,
// a line does not paint its end point, a box excludes its right and bottom
// edges, text hangs from the top-left corner of its first character cell
// and turns about it.
//
// Marks repeat by the thousand, and a shape at a whole-pixel position
// always has the same pixels; with `stamps` each small shape is drawn once
// and then copied, which gives the same pixels much faster.
void ReplayPicture(QPainter& painter, const Picture& picture, int x = 0, int y = 0,
                   bool stamps = true);

// The picture on a white 24-bit image of its own size (or the given size).
QImage PictureToImage(const Picture& picture, int width = -1, int height = -1);
