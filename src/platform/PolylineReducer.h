#pragma once

#include "platform/Canvas.h"

// Records runs of lines with the canvas's pen; those of a solid one-pixel
// pen (dashes and wide pens depend on every point) with only the points that
// change the pixels: a polyline of a million points across a few hundred
// pixel columns paints a few thousand pixels, and is recorded as the lines
// that paint exactly those.
//
// A point on the pixel of the point before is dropped. Points that follow
// each other in one pixel column (vertical moves) become the column's
// entry, its lowest and highest pixels and its exit, in an order that
// paints what the moves painted, the end-point rule included. Lines
// between columns are kept as they are. Each point kept keeps where it
// lies exactly (Canvas::Exact).
class PolylineReducer {
  public:
    explicit PolylineReducer(Canvas& canvas)
        : canvas_(canvas),
          reduce_(canvas.Pen.Style == PenStyle::psSolid && canvas.Pen.Width <= 1) {}
    ~PolylineReducer() { Finish(); }

    void MoveTo(int x, int y, SubPixel exact = {});
    void LineTo(int x, int y, SubPixel exact = {});
    // Records what is pending; the destructor does too.
    void Finish();

  private:
    void CloseColumn();
    void Line(int x, int y, SubPixel exact);

    Canvas& canvas_;
    const bool reduce_;
    bool active_ = false;  // a run is open
    // The column of points since the last one recorded: its x, its first
    // and last y, its lowest and highest y and how often each occurred.
    int x_ = 0, first_ = 0, last_ = 0, low_ = 0, high_ = 0;
    int lowCount_ = 0, highCount_ = 0;
    SubPixel lastExact_, lowExact_, highExact_;
};
