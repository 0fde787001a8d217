#pragma once

#include <QImage>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/DashPattern.h"
#include "platform/Picture.h"

// The pixels of a line: one per step along its major axis, from the start
// up to, not including, the end; the minor coordinate rounded to the
// nearest pixel, halves away from the start.
struct LineSteps {
    LineSteps(PixelPoint from, PixelPoint to)
        : from(from),
          xMajor(std::abs(std::int64_t(to.x) - from.x) >= std::abs(std::int64_t(to.y) - from.y)),
          steps(xMajor ? std::abs(std::int64_t(to.x) - from.x)
                       : std::abs(std::int64_t(to.y) - from.y)),
          minor(xMajor ? std::int64_t(to.y) - from.y : std::int64_t(to.x) - from.x),
          direction((xMajor ? to.x < from.x : to.y < from.y) ? -1 : 1) {}
    // The pixel of step k, 0 <= k <= steps.
    void At(std::int64_t k, std::int64_t& x, std::int64_t& y) const {
        const std::int64_t num = 2 * k * minor;
        const std::int64_t offset =
            num >= 0 ? (num + steps) / (2 * steps) : -((-num + steps) / (2 * steps));
        x = from.x + (xMajor ? k * direction : offset);
        y = from.y + (xMajor ? offset : k * direction);
    }

    PixelPoint from;
    bool xMajor;
    std::int64_t steps, minor, direction;
};

// Lines and copied shapes written straight into the pixels of a 32-bit
// image: the one line routine of the program, for the graph window, the
// BMP and the clipboard alike.
//
// A line paints the pixels of its LineSteps. A wider pen paints across the
// line, from width / 2 pixels before to (width - 1) / 2 after, and fills
// the corners where the lines of a run meet.
class Raster {
  public:
    // A run of pixels of one colour, relative to a shape's corner.
    struct Span {
        int dx, dy, length;
        std::uint32_t color;
    };

    // Whether Raster can write into the image: 32 bits per pixel.
    static bool Writable(const QImage& image);
    // Everything drawn is moved by (offsetX, offsetY).
    Raster(QImage& image, int offsetX, int offsetY);

    // One line of a run. `phase` is where the dash pattern stands and is
    // moved on; `joined` says a line of the same run ends at `from`.
    void Line(PixelPoint from, PixelPoint to, const TPen& pen, int& phase, bool joined);
    void Stamp(const std::vector<Span>& spans, int left, int top);
    // The pixels of an image that are not transparent, as spans relative
    // to (originX, originY).
    static std::vector<Span> SpansOf(const QImage& image, int originX, int originY);

  private:
    void Pixel(std::int64_t x, std::int64_t y, std::uint32_t color) {
        x += offsetX_;
        y += offsetY_;
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            pixels_[std::size_t(y) * stride_ + std::size_t(x)] = color;
    }
    void Square(PixelPoint centre, int width, std::uint32_t color);

    std::uint32_t* pixels_;
    std::size_t stride_;
    int width_, height_, offsetX_, offsetY_;
};
