#include "platform/Picture.h"

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
