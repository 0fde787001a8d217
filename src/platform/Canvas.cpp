#include "platform/Canvas.h"

#include <algorithm>

void Canvas::Add(OpKind kind, int a, int b, int c, int d, std::uint32_t index,
                 std::uint32_t count) {
    const bool placed = kind >= OpKind::MoveTo && kind <= OpKind::Polygon;
    target_.ops_.push_back(PictureOp{.Kind = kind,
                                     .A = a,
                                     .B = b,
                                     .C = c,
                                     .D = d,
                                     .Index = index,
                                     .Count = count,
                                     .Exact = placed ? Exact : SubPixel{}});
}

void Canvas::SyncPen() {
    if (Pen == recordedPen_) return;
    recordedPen_ = Pen;
    target_.pens_.push_back(Pen);
    Add(OpKind::Pen, 0, 0, 0, 0, std::uint32_t(target_.pens_.size() - 1));
}

void Canvas::SyncBrush() {
    if (Brush == recordedBrush_) return;
    recordedBrush_ = Brush;
    target_.brushes_.push_back(Brush);
    Add(OpKind::Brush, 0, 0, 0, 0, std::uint32_t(target_.brushes_.size() - 1));
}

void Canvas::SyncFont() {
    if (Font == recordedFont_) return;
    recordedFont_ = Font;
    target_.fonts_.push_back(Font);
    Add(OpKind::Font, 0, 0, 0, 0, std::uint32_t(target_.fonts_.size() - 1));
}

void Canvas::SyncPosition() {
    if (positionRecorded_) return;
    positionRecorded_ = true;
    const SubPixel exact = Exact;
    Exact = positionExact_;
    Add(OpKind::MoveTo, position_.x, position_.y);
    Exact = exact;
}

// A move is recorded when a line follows it, after the line's pen: every
// run of lines is a pen, a move and lines, the order in which metafile
// readers expect a path.
void Canvas::MoveTo(int x, int y) {
    position_ = {x, y};
    positionExact_ = Exact;
    positionRecorded_ = false;
}

void Canvas::LineTo(int x, int y) {
    // A new pen starts a new run where the old one ended.
    if (!(Pen == recordedPen_)) positionRecorded_ = false;
    SyncPen();
    SyncPosition();
    Add(OpKind::LineTo, x, y);
    position_ = {x, y};
    positionExact_ = Exact;
}

void Canvas::Rectangle(int left, int top, int right, int bottom) {
    SyncPen();
    SyncBrush();
    Add(OpKind::Rectangle, left, top, right, bottom);
}

void Canvas::Ellipse(int left, int top, int right, int bottom) {
    SyncPen();
    SyncBrush();
    Add(OpKind::Ellipse, left, top, right, bottom);
}

void Canvas::Polygon(const PixelPoint* points, int count) {
    if (count <= 0) return;
    SyncPen();
    SyncBrush();
    const auto first = std::uint32_t(target_.points_.size());
    target_.points_.insert(target_.points_.end(), points, points + count);
    Add(OpKind::Polygon, 0, 0, 0, 0, first, std::uint32_t(count));
}

void Canvas::FillRect(const PixelRect& rect) {
    SyncBrush();
    Add(OpKind::FillRect, rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void Canvas::FillBackdrop(const PixelRect& rect) {
    FillRect(rect);
    target_.ops_.back().Backdrop = true;
}

void Canvas::TextOut(int x, int y, const std::string& text) {
    SyncFont();
    target_.texts_.push_back(text);
    Add(OpKind::TextOut, x, y, 0, 0, std::uint32_t(target_.texts_.size() - 1));
}

void Canvas::Draw(int x, int y, const Picture& picture) {
    if (&picture == &target_) return;
    // The inner picture was recorded from the default state: put the
    // recording into it, then copy the operations moved by (x, y).
    const TPen outerPen = Pen;
    const TBrush outerBrush = Brush;
    const TLogFont outerFont = Font;
    Pen = TPen{};
    Brush = TBrush{};
    Font = TLogFont{};
    SyncPen();
    SyncBrush();
    SyncFont();
    // Grown by doubling: a graph is made of a hundred such copies, and a
    // reservation of the exact size each time would copy it all each time.
    std::vector<PictureOp>& ops = target_.ops_;
    const std::size_t needed = ops.size() + picture.Ops().size() + 1;
    if (needed > ops.capacity()) ops.reserve(std::max(needed, 2 * ops.capacity()));
    // The inner drawing starts at its own origin: a line before any move
    // starts there.
    bool positioned = false;
    for (const PictureOp& op : picture.Ops()) {
        if (op.Kind == OpKind::MoveTo) positioned = true;
        if (op.Kind == OpKind::LineTo && !positioned) {
            Add(OpKind::MoveTo, x, y);
            positioned = true;
        }
        PictureOp moved = op;
        switch (op.Kind) {
            case OpKind::Pen:
                recordedPen_ = picture.PenOf(op);
                target_.pens_.push_back(recordedPen_);
                moved.Index = std::uint32_t(target_.pens_.size() - 1);
                break;
            case OpKind::Brush:
                recordedBrush_ = picture.BrushOf(op);
                target_.brushes_.push_back(recordedBrush_);
                moved.Index = std::uint32_t(target_.brushes_.size() - 1);
                break;
            case OpKind::Font:
                recordedFont_ = picture.FontOf(op);
                target_.fonts_.push_back(recordedFont_);
                moved.Index = std::uint32_t(target_.fonts_.size() - 1);
                break;
            case OpKind::MoveTo:
            case OpKind::LineTo:
            case OpKind::TextOut:
                moved.A += x;
                moved.B += y;
                if (op.Kind == OpKind::TextOut) {
                    target_.texts_.push_back(picture.TextOf(op));
                    moved.Index = std::uint32_t(target_.texts_.size() - 1);
                }
                break;
            case OpKind::Rectangle:
            case OpKind::Ellipse:
            case OpKind::FillRect:
                moved.A += x;
                moved.B += y;
                moved.C += x;
                moved.D += y;
                break;
            case OpKind::Polygon: {
                const PixelPoint* points = picture.PointsOf(op);
                moved.Index = std::uint32_t(target_.points_.size());
                for (std::uint32_t i = 0; i < op.Count; ++i)
                    target_.points_.push_back({points[i].x + x, points[i].y + y});
                break;
            }
        }
        target_.ops_.push_back(moved);
    }
    Pen = outerPen;
    Brush = outerBrush;
    Font = outerFont;
    // The outer drawing goes on from where it stood before the picture.
    positionRecorded_ = false;
}
