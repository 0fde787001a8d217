#include "platform/Raster.h"

#include <algorithm>
#include <cstdlib>

bool Raster::Writable(const QImage& image) {
    switch (image.format()) {
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied:
            return true;
        default:
            return false;
    }
}

Raster::Raster(QImage& image, int offsetX, int offsetY)
    // bits() would detach the image from a painter that draws on it too.
    : pixels_(reinterpret_cast<std::uint32_t*>(const_cast<uchar*>(image.constBits()))),
      stride_(std::size_t(image.bytesPerLine() / 4)),
      width_(image.width()),
      height_(image.height()),
      offsetX_(offsetX),
      offsetY_(offsetY) {}

void Raster::Square(PixelPoint centre, int width, std::uint32_t color) {
    const int low = -(width / 2);
    for (int dy = low; dy < low + width; ++dy)
        for (int dx = low; dx < low + width; ++dx)
            Pixel(std::int64_t(centre.x) + dx, std::int64_t(centre.y) + dy, color);
}

void Raster::Line(PixelPoint from, PixelPoint to, const TPen& pen, int& phase, bool joined) {
    if (pen.Style == PenStyle::psClear || from == to) return;
    // Opaque whatever the format: premultiplied or not, alpha 255 is the
    // colour itself.
    const std::uint32_t color = ToQColor(pen.Color).rgb() | 0xFF000000u;
    const int width = PaintedWidth(pen);
    const DashPattern* dashes = DashPatternOf(pen.Style);

    const LineSteps line(from, to);
    // Only the steps whose major coordinate lies on the image are walked.
    const std::int64_t start =
        line.xMajor ? std::int64_t(from.x) + offsetX_ : std::int64_t(from.y) + offsetY_;
    const std::int64_t limit = line.xMajor ? width_ : height_;
    std::int64_t visibleFirst = 0, visibleLast = line.steps - 1;
    if (line.direction > 0) {
        visibleFirst = std::max<std::int64_t>(visibleFirst, -start);
        visibleLast = std::min<std::int64_t>(visibleLast, limit - 1 - start);
    } else {
        visibleFirst = std::max<std::int64_t>(visibleFirst, start - (limit - 1));
        visibleLast = std::min<std::int64_t>(visibleLast, start);
    }
    const int across = -(width / 2);
    auto paint = [&](std::int64_t first, std::int64_t end) {
        first = std::max(first, visibleFirst);
        const std::int64_t last = std::min(end - 1, visibleLast);
        std::int64_t x, y;
        for (std::int64_t k = first; k <= last; ++k) {
            line.At(k, x, y);
            if (width == 1) {
                Pixel(x, y, color);
                continue;
            }
            for (int a = across; a < across + width; ++a)
                Pixel(line.xMajor ? x : x + a, line.xMajor ? y + a : y, color);
        }
    };
    if (joined && width > 1) {
        // The corner is painted when the pattern is on a dash there.
        bool on = !dashes;
        if (dashes) ForEachDash(*dashes, phase, 1, [&](std::int64_t, std::int64_t) { on = true; });
        if (on) Square(from, width, color);
    }
    if (dashes)
        phase = ForEachDash(*dashes, phase, line.steps, paint);
    else
        paint(0, line.steps);
}

void Raster::Stamp(const std::vector<Span>& spans, int left, int top) {
    for (const Span& s : spans) {
        // Locals: the pixel stores cannot then alias the span.
        const std::uint32_t color = s.color;
        const int y = top + s.dy + offsetY_;
        if (y < 0 || y >= height_) continue;
        const int x0 = std::max(left + s.dx + offsetX_, 0);
        const int x1 = std::min(left + s.dx + s.length + offsetX_, width_);
        std::uint32_t* row = pixels_ + std::size_t(y) * stride_;
        for (int x = x0; x < x1; ++x) row[x] = color;
    }
}

std::vector<Raster::Span> Raster::SpansOf(const QImage& image, int originX, int originY) {
    std::vector<Span> spans;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width();) {
            if (qAlpha(row[x]) == 0) {
                ++x;
                continue;
            }
            int end = x;
            while (end < image.width() && row[end] == row[x]) ++end;
            spans.push_back({x - originX, y - originY, end - x, row[x] | 0xFF000000u});
            x = end;
        }
    }
    return spans;
}
