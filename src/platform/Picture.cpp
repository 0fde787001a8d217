#include "platform/Picture.h"

#include <algorithm>

// Clearing keeps the storage, so a picture redrawn again and again does
// not allocate again.
void Picture::Clear() {
    width_ = 0;
    height_ = 0;
    exactWidth_ = exactHeight_ = 0;
    ops_.clear();
    pens_.clear();
    brushes_.clear();
    fonts_.clear();
    texts_.clear();
    points_.clear();
}

bool Picture::ShapeBounds(const PictureOp& op, PixelRect& bounds) const {
    bounds = {op.A, op.B, op.C, op.D};
    if (op.Kind != OpKind::Polygon) return true;
    if (op.Count == 0) return false;
    const PixelPoint* points = PointsOf(op);
    bounds = {points[0].x, points[0].y, points[0].x, points[0].y};
    for (std::uint32_t i = 1; i < op.Count; ++i) {
        bounds.Left = std::min(bounds.Left, points[i].x);
        bounds.Right = std::max(bounds.Right, points[i].x);
        bounds.Top = std::min(bounds.Top, points[i].y);
        bounds.Bottom = std::max(bounds.Bottom, points[i].y);
    }
    return true;
}
