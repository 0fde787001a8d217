#pragma once

#include <string>

#include "platform/Picture.h"

// Records drawing into a Picture. Pen, Brush and Font are the current
// drawing state; a change is recorded only when a drawing operation that
// uses it follows, so a thousand marks in one colour cost one pen.
class Canvas {
  public:
    explicit Canvas(Picture& target) : target_(target) {}

    TPen Pen;
    TBrush Brush;
    TLogFont Font;
    // Where exactly the points and shapes drawn next lie, off their pixels
    // (see PictureOp::Exact); texts and fills ignore it.
    SubPixel Exact;

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int left, int top, int right, int bottom);
    void Ellipse(int left, int top, int right, int bottom);
    void Polygon(const PixelPoint* points, int count);
    void FillRect(const PixelRect& rect);
    // A fill that is only the box behind a text (see PictureOp::Backdrop).
    void FillBackdrop(const PixelRect& rect);
    void TextOut(int x, int y, const std::string& text);
    // Records the operations of another picture moved by (x, y).
    void Draw(int x, int y, const Picture& picture);

    PixelPoint PenPos() const { return position_; }

  private:
    void SyncPen();
    void SyncBrush();
    void SyncFont();
    void SyncPosition();
    void Add(OpKind kind, int a = 0, int b = 0, int c = 0, int d = 0, std::uint32_t index = 0,
             std::uint32_t count = 0);

    Picture& target_;
    // The state in effect at the end of what has been recorded so far.
    TPen recordedPen_;
    TBrush recordedBrush_;
    TLogFont recordedFont_;
    PixelPoint position_;
    SubPixel positionExact_;
    bool positionRecorded_ = true;
};
