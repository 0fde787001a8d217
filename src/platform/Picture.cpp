#include "platform/Picture.h"

// Clearing keeps the storage, so a picture redrawn again and again does
// not allocate again.
void Picture::Clear() {
    width_ = 0;
    height_ = 0;
    ops_.clear();
    pens_.clear();
    brushes_.clear();
    fonts_.clear();
    texts_.clear();
    points_.clear();
}
