#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Colors.h"

// The drawing interface the program is written against: pens, brushes and
// logical fonts with the classic desktop semantics.

enum class PenStyle : std::uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame
};

enum class BrushStyle : std::uint8_t { bsSolid, bsClear };

// Float to pixel: truncation toward zero (2.9 is 2, -0.2 is 0), clamped
// into the 32-bit range so far-away values never overflow; NaN is 0.
constexpr int TruncToPixel(double value) {
    if (!(value == value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return -2147483647 - 1;
    return int(value);
}

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// (Left, Top)-(Right, Bottom); the right and bottom edges are outside.
struct PixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

struct TPen {
    TColor Color = clBlack;
    PenStyle Style = PenStyle::psSolid;
    int Width = 1;
    // The width in pixels with its fraction (0.5 pt is 0.667), for the
    // devices that draw fractions (SVG, PDF, PNG at any dpi); 0: Width.
    // Pixel devices paint Width.
    float FineWidth = 0;
    bool operator==(const TPen&) const = default;
};

// The pixels a pen paints across a line: widths below 1 paint 1, and a
// pen wider than any picture paints nothing more.
inline int PaintedWidth(const TPen& pen) {
    return pen.Width < 1 ? 1 : pen.Width > 10000 ? 10000 : pen.Width;
}

// Where a vector stroke lies to paint what the pixel rules paint: a pen of
// odd width through pixel centres, half a pixel on; an even one on the
// pixel edges. A clear pen strokes nothing.
inline double StrokeOffset(const TPen& pen) {
    return pen.Style != PenStyle::psClear && PaintedWidth(pen) % 2 ? 0.5 : 0.0;
}

// The stroke width of a device that draws fractions of a pixel.
inline double SmoothWidth(const TPen& pen) {
    return pen.FineWidth > 0 ? std::min(double(pen.FineWidth), 10000.0) : double(PaintedWidth(pen));
}

struct TBrush {
    TColor Color = clWhite;
    BrushStyle Style = BrushStyle::bsSolid;
    bool operator==(const TBrush&) const = default;
};

// A logical font. Height in pixels: negative for the character height (the
// em size), positive for the cell height. Escapement in tenths of a degree,
// counter-clockwise.
struct TLogFont {
    int Height = -12;
    int Escapement = 0;
    int Weight = 400;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    std::uint8_t CharSet = 1;
    std::string FaceName = "ＭＳ Ｐゴシック";
    TColor Color = clWindowText;
    bool operator==(const TLogFont&) const = default;
};

constexpr int kFwNormal = 400;
constexpr int kFwBold = 700;

// Font size in points to the pixel height of a logical font at 96 dots per
// inch: 14 points is -19.
constexpr int PointsToFontHeight(int points) {
    return -((points * 96 + 36) / 72);
}

enum class OpKind : std::uint8_t {
    Pen,        // Index into pens
    Brush,      // Index into brushes
    Font,       // Index into fonts
    MoveTo,     // (A, B)
    LineTo,     // (A, B)
    Rectangle,  // (A, B)-(C, D)
    Ellipse,    // box (A, B)-(C, D)
    Polygon,    // Count points from Index in points
    FillRect,   // (A, B)-(C, D) with the current brush
    TextOut,    // top-left (A, B), text Index in texts
};

// Where a point lies exactly, as an offset in pixels from the pixel it is
// drawn on.
struct SubPixel {
    float x = 0;
    float y = 0;
    bool operator==(const SubPixel&) const = default;
};

struct PictureOp {
    OpKind Kind;
    // A fill that only lays an opaque box behind a text: left out where
    // the background is transparent (SVG, PDF, a transparent PNG).
    bool Backdrop = false;
    int A = 0, B = 0, C = 0, D = 0;
    std::uint32_t Index = 0;
    std::uint32_t Count = 0;
    // Where a point of a curve (MoveTo, LineTo) or a whole mark (a shape)
    // lies exactly, off the pixels it is recorded on. The window, BMP, EMF
    // and WMF draw the pixels; SVG, PDF and PNG at any dpi draw here.
    SubPixel Exact;
};

// A recorded picture: a size and a list of drawing operations. Strokes
// outside the size are kept. A picture starts with the default pen, brush
// and font; a Canvas records into it.
class Picture {
  public:
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetSize(int width, int height) {
        width_ = width;
        height_ = height;
        exactWidth_ = exactHeight_ = 0;
    }
    // The size with its fractions of a pixel (a canvas of 8.5 cm is 321.26
    // pixels wide), for the outputs that have them; whole, Width and
    // Height.
    void SetExactSize(double width, double height) {
        exactWidth_ = width;
        exactHeight_ = height;
    }
    double ExactWidth() const { return exactWidth_ > 0 ? exactWidth_ : width_; }
    double ExactHeight() const { return exactHeight_ > 0 ? exactHeight_ : height_; }
    // Empties the picture and sets its size to 0 x 0.
    void Clear();
    bool Empty() const { return ops_.empty(); }
    void Reserve(std::size_t ops) { ops_.reserve(ops); }

    const std::vector<PictureOp>& Ops() const { return ops_; }
    const TPen& PenOf(const PictureOp& op) const { return pens_[op.Index]; }
    const TBrush& BrushOf(const PictureOp& op) const { return brushes_[op.Index]; }
    const TLogFont& FontOf(const PictureOp& op) const { return fonts_[op.Index]; }
    const std::string& TextOf(const PictureOp& op) const { return texts_[op.Index]; }
    const PixelPoint* PointsOf(const PictureOp& op) const { return points_.data() + op.Index; }
    // The box a shape's points or corners span, right and bottom included
    // for a polygon; a polygon without points spans nothing (false).
    bool ShapeBounds(const PictureOp& op, PixelRect& bounds) const;

  private:
    friend class Canvas;
    int width_ = 0;
    int height_ = 0;
    double exactWidth_ = 0;
    double exactHeight_ = 0;
    std::vector<PictureOp> ops_;
    std::vector<TPen> pens_;
    std::vector<TBrush> brushes_;
    std::vector<TLogFont> fonts_;
    std::vector<std::string> texts_;
    std::vector<PixelPoint> points_;
};
