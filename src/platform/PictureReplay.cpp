#include "platform/PictureReplay.h"

#include <QFontMetrics>
#include <QImage>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <unordered_map>
#include <vector>

#include "platform/FontSubstitution.h"

namespace {

QPen MakeQPen(const TPen& pen) {
    if (pen.Style == PenStyle::psClear) return QPen(Qt::NoPen);
    QPen q(ToQColor(pen.Color));
    // Wider pens than any picture is large paint nothing more.
    const int width = std::clamp(pen.Width, 1, 10000);
    q.setWidth(width);
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::MiterJoin);
    // Dash patterns of the classic cosmetic pens, in pixels; Qt counts
    // them in pen widths.
    auto pattern = [&](std::initializer_list<qreal> pixels) {
        QList<qreal> p;
        for (qreal v : pixels) p.append(v / width);
        q.setDashPattern(p);
    };
    switch (pen.Style) {
        case PenStyle::psDash:
            pattern({18, 6});
            break;
        case PenStyle::psDot:
            pattern({3, 3});
            break;
        case PenStyle::psDashDot:
            pattern({9, 6, 3, 6});
            break;
        case PenStyle::psDashDotDot:
            pattern({9, 3, 3, 3, 3, 3});
            break;
        default:
            break;
    }
    return q;
}

// A box (l, t)-(r, b) with its right and bottom edge excluded, as Qt's
// aliased outline rectangle.
QRect OutlineBox(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left - 1, bottom - top - 1);
}

// A small shape, its pen and brush: what makes its pixels.
struct StampKey {
    OpKind kind;
    int w, h;
    TPen pen;
    TBrush brush;
    std::vector<PixelPoint> points;  // polygon points relative to the box
    bool operator==(const StampKey&) const = default;
};

struct StampKeyHash {
    std::size_t operator()(const StampKey& k) const {
        std::size_t h = std::size_t(k.kind) * 31 + std::size_t(k.w) * 131 + std::size_t(k.h);
        h = h * 1000003 ^ k.pen.Color ^ (std::size_t(k.pen.Width) << 24) ^
            (std::size_t(k.pen.Style) << 28);
        h = h * 1000003 ^ k.brush.Color ^ (std::size_t(k.brush.Style) << 26);
        for (const PixelPoint& p : k.points) h = h * 31 + std::size_t(p.x * 131 + p.y);
        return h;
    }
};

class Replayer {
public:
    Replayer(QPainter& painter, const Picture& picture, bool stamps)
        : painter_(painter), picture_(picture), stamps_(stamps) {}

    void Run();

private:
    void ApplyShapeState();
    void Line(QPoint from, QPoint to);
    // Width-1 solid lines are gathered and drawn together; `continues` says
    // a further line starts at `to`, which paints that pixel anyway.
    void BatchLine(QPoint from, QPoint to, bool continues);
    void FlushLines();
    void Shape(const PictureOp& op);
    void DrawShape(QPainter& p, const PictureOp& op, int dx, int dy);

    QPainter& painter_;
    const Picture& picture_;
    bool stamps_;
    TPen pen_;
    TBrush brush_;
    TLogFont font_;
    QPen qpen_ = MakeQPen(TPen{});
    QBrush qbrush_{ToQColor(TBrush{}.Color)};
    bool shapeStateApplied_ = false;
    QPoint position_{0, 0};
    std::vector<QPoint> polygon_;
    std::unordered_map<StampKey, QImage, StampKeyHash> cache_;
    // Marks of one series follow each other: the last stamp first.
    StampKey lastKey_{};
    const QImage* lastStamp_ = nullptr;
    bool plainDevice_ = false;
    std::vector<QLine> lines_;
    std::vector<QPoint> points_;
    // When the painter draws on a 32-bit image with no more than a
    // translation and no clip, lines and stamps are written straight into
    // its pixels, which is many times faster than a call per mark.
    std::uint32_t* pixels_ = nullptr;
    int stride_ = 0, rasterWidth_ = 0, rasterHeight_ = 0, offsetX_ = 0, offsetY_ = 0;
    struct Span {
        int dx, dy, length;
        std::uint32_t color;
    };
    std::unordered_map<StampKey, std::vector<Span>, StampKeyHash> spans_;
    const std::vector<Span>* lastSpans_ = nullptr;

    void SetPixel(int x, int y, std::uint32_t color) {
        x += offsetX_;
        y += offsetY_;
        if (x >= 0 && y >= 0 && x < rasterWidth_ && y < rasterHeight_)
            pixels_[std::size_t(y) * std::size_t(stride_) + std::size_t(x)] = color;
    }
    void RasterLine(QPoint from, QPoint to);
    void RasterStamp(const std::vector<Span>& spans, int left, int top);
};

// From `from` up to, not including, `to`: one pixel per step along the
// major axis, the minor coordinate rounded to the nearest pixel, halves
// away from zero. Only the steps whose major coordinate lies on the image
// are walked.
void Replayer::RasterLine(QPoint from, QPoint to) {
    const std::uint32_t color = qpen_.color().rgb() | 0xFF000000u;
    const std::int64_t dx = std::int64_t(to.x()) - from.x(), dy = std::int64_t(to.y()) - from.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const std::int64_t n = xMajor ? std::abs(dx) : std::abs(dy);
    const std::int64_t minor = xMajor ? dy : dx;
    const std::int64_t step = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const std::int64_t start = xMajor ? from.x() + offsetX_ : from.y() + offsetY_;
    const std::int64_t limit = xMajor ? rasterWidth_ : rasterHeight_;
    // k such that 0 <= start + k * step < limit
    std::int64_t first = 0, last = n - 1;
    if (step > 0) {
        first = std::max<std::int64_t>(first, -start);
        last = std::min<std::int64_t>(last, limit - 1 - start);
    } else {
        first = std::max<std::int64_t>(first, start - (limit - 1));
        last = std::min<std::int64_t>(last, start);
    }
    for (std::int64_t k = first; k <= last; ++k) {
        const std::int64_t num = 2 * k * minor;
        const std::int64_t offset = num >= 0 ? (num + n) / (2 * n) : -((-num + n) / (2 * n));
        const std::int64_t major = k * step;
        const std::int64_t x = from.x() + (xMajor ? major : offset) + offsetX_;
        const std::int64_t y = from.y() + (xMajor ? offset : major) + offsetY_;
        if (x >= 0 && y >= 0 && x < rasterWidth_ && y < rasterHeight_)
            pixels_[std::size_t(y) * std::size_t(stride_) + std::size_t(x)] = color;
    }
}

void Replayer::RasterStamp(const std::vector<Span>& spans, int left, int top) {
    for (const Span& s : spans) {
        // Locals: the pixel stores cannot then alias the span.
        const std::uint32_t color = s.color;
        const int y = top + s.dy + offsetY_;
        if (y < 0 || y >= rasterHeight_) continue;
        const int x0 = std::max(left + s.dx + offsetX_, 0);
        const int x1 = std::min(left + s.dx + s.length + offsetX_, rasterWidth_);
        std::uint32_t* row = pixels_ + std::size_t(y) * std::size_t(stride_);
        for (int x = x0; x < x1; ++x) row[x] = color;
    }
}

void Replayer::BatchLine(QPoint from, QPoint to, bool continues) {
    if (pixels_) {
        RasterLine(from, to);
        return;
    }
    const int dx = to.x() - from.x(), dy = to.y() - from.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const bool backwards = xMajor ? dx < 0 : dy < 0;
    if (!backwards) {
        lines_.emplace_back(from, to);
    } else if (dx == 0 || dy == 0) {
        const QPoint step(dx == 0 ? 0 : 1, dy == 0 ? 0 : 1);
        lines_.emplace_back(to + step, from + step);
    } else if (std::abs(xMajor ? dx : dy) == 1) {
        points_.push_back(from);
    } else if (continues) {
        // Drawn the other way round it paints `to` and not `from`: the next
        // line paints `to` too, and `from` is set by hand.
        lines_.emplace_back(to, from);
        points_.push_back(from);
    } else {
        FlushLines();
        Line(from, to);
    }
}

void Replayer::FlushLines() {
    if (lines_.empty() && points_.empty()) return;
    ApplyShapeState();
    if (!lines_.empty()) painter_.drawLines(lines_.data(), int(lines_.size()));
    const QColor color = qpen_.color();
    for (const QPoint& p : points_) painter_.fillRect(QRect(p, QSize(1, 1)), color);
    lines_.clear();
    points_.clear();
}

void Replayer::ApplyShapeState() {
    if (shapeStateApplied_) return;
    painter_.setPen(qpen_);
    painter_.setBrush(brush_.Style == BrushStyle::bsClear ? QBrush(Qt::NoBrush) : qbrush_);
    shapeStateApplied_ = true;
}

// Qt's aliased line paints the pixels from the lower to just before the
// higher end along its major axis, whichever way it runs. A line that runs
// backwards is drawn the other way round with its end pixel clipped off,
// then its start pixel is set, so that every line paints its start and not
// its end.
void Replayer::Line(QPoint from, QPoint to) {
    ApplyShapeState();
    const int dx = to.x() - from.x(), dy = to.y() - from.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const bool backwards = xMajor ? dx < 0 : dy < 0;
    if (!backwards || qpen_.width() > 1) {
        painter_.drawLine(from, to);
        return;
    }
    // Straight backward lines are the forward line one pixel further on;
    // a line of one step is its start pixel alone.
    if (dx == 0 || dy == 0) {
        const QPoint step(dx == 0 ? 0 : 1, dy == 0 ? 0 : 1);
        painter_.drawLine(to + step, from + step);
        return;
    }
    if (std::abs(xMajor ? dx : dy) == 1) {
        painter_.fillRect(QRect(from, QSize(1, 1)), qpen_.color());
        return;
    }
    constexpr int kFar = 1 << 28;
    const QRect beyondEnd = xMajor ? QRect(to.x() + 1, -kFar, kFar, 2 * kFar)
                                   : QRect(-kFar, to.y() + 1, 2 * kFar, kFar);
    if (painter_.hasClipping()) {
        painter_.save();
        painter_.setClipRect(beyondEnd, Qt::IntersectClip);
        painter_.drawLine(to, from);
        painter_.restore();
    } else {
        painter_.setClipRect(beyondEnd);
        painter_.drawLine(to, from);
        painter_.setClipping(false);
    }
    painter_.fillRect(QRect(from, QSize(1, 1)), qpen_.color());
}

void Replayer::DrawShape(QPainter& p, const PictureOp& op, int dx, int dy) {
    if (op.Kind == OpKind::Polygon) {
        const PixelPoint* points = picture_.PointsOf(op);
        polygon_.clear();
        for (std::uint32_t i = 0; i < op.Count; ++i)
            polygon_.emplace_back(points[i].x + dx, points[i].y + dy);
        p.drawPolygon(polygon_.data(), int(polygon_.size()));
        return;
    }
    const QRect box = OutlineBox(op.A + dx, op.B + dy, op.C + dx, op.D + dy);
    if (op.Kind == OpKind::Rectangle)
        p.drawRect(box);
    else
        p.drawEllipse(box);
}

void Replayer::Shape(const PictureOp& op) {
    int left = op.A, top = op.B, right = op.C, bottom = op.D;
    if (op.Kind == OpKind::Polygon) {
        if (op.Count == 0) return;
        const PixelPoint* points = picture_.PointsOf(op);
        left = right = points[0].x;
        top = bottom = points[0].y;
        for (std::uint32_t i = 1; i < op.Count; ++i) {
            left = std::min(left, points[i].x);
            right = std::max(right, points[i].x);
            top = std::min(top, points[i].y);
            bottom = std::max(bottom, points[i].y);
        }
    } else {
        const int w = op.C - op.A, h = op.D - op.B;
        if (w <= 0 || h <= 0) return;
        if (w == 1 || h == 1) {
            // A box one pixel thin is all outline.
            if (pen_.Style != PenStyle::psClear)
                painter_.fillRect(QRect(op.A, op.B, w, h), ToQColor(pen_.Color));
            return;
        }
    }
    constexpr int kMaxStamp = 64, kMargin = 2;
    const bool stampable = stamps_ && plainDevice_ && pen_.Width <= 1 &&
                           right - left <= kMaxStamp && bottom - top <= kMaxStamp;
    if (!stampable) {
        ApplyShapeState();
        DrawShape(painter_, op, 0, 0);
        return;
    }
    StampKey key{op.Kind, op.C - op.A, op.D - op.B, pen_, brush_, {}};
    if (op.Kind == OpKind::Polygon) {
        key.w = key.h = 0;
        const PixelPoint* points = picture_.PointsOf(op);
        for (std::uint32_t i = 0; i < op.Count; ++i)
            key.points.push_back({points[i].x - left, points[i].y - top});
    }
    if (pixels_) {
        if (!(lastSpans_ && key == lastKey_)) {
            auto found = spans_.find(key);
            if (found == spans_.end()) {
                QImage stamp(right - left + 2 * kMargin + 1, bottom - top + 2 * kMargin + 1,
                             QImage::Format_ARGB32);
                stamp.fill(Qt::transparent);
                QPainter p(&stamp);
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setPen(qpen_);
                p.setBrush(brush_.Style == BrushStyle::bsClear ? QBrush(Qt::NoBrush) : qbrush_);
                DrawShape(p, op, kMargin - left, kMargin - top);
                p.end();
                std::vector<Span> spans;
                for (int y = 0; y < stamp.height(); ++y) {
                    const auto* row = reinterpret_cast<const QRgb*>(stamp.constScanLine(y));
                    for (int x = 0; x < stamp.width();) {
                        if (qAlpha(row[x]) == 0) {
                            ++x;
                            continue;
                        }
                        int end = x;
                        while (end < stamp.width() && row[end] == row[x]) ++end;
                        spans.push_back({x - kMargin, y - kMargin, end - x, row[x] | 0xFF000000u});
                        x = end;
                    }
                }
                found = spans_.emplace(key, std::move(spans)).first;
            }
            lastKey_ = key;
            lastSpans_ = &found->second;
        }
        RasterStamp(*lastSpans_, left, top);
        return;
    }
    if (lastStamp_ && key == lastKey_) {
        painter_.drawImage(left - kMargin, top - kMargin, *lastStamp_);
        return;
    }
    auto it = cache_.find(key);
    if (it == cache_.end()) {
        QImage stamp(right - left + 2 * kMargin + 1, bottom - top + 2 * kMargin + 1,
                     QImage::Format_ARGB32_Premultiplied);
        stamp.fill(Qt::transparent);
        QPainter p(&stamp);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(qpen_);
        p.setBrush(brush_.Style == BrushStyle::bsClear ? QBrush(Qt::NoBrush) : qbrush_);
        DrawShape(p, op, kMargin - left, kMargin - top);
        p.end();
        it = cache_.emplace(key, std::move(stamp)).first;
    }
    lastKey_ = std::move(key);
    lastStamp_ = &it->second;
    painter_.drawImage(left - kMargin, top - kMargin, it->second);
}

void Replayer::Run() {
    plainDevice_ =
        !painter_.hasClipping() && painter_.transform().type() <= QTransform::TxTranslate;
    if (plainDevice_ && painter_.device() && painter_.device()->devType() == QInternal::Image) {
        auto* image = static_cast<QImage*>(painter_.device());
        if (image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32) {
            // The painter has the image to itself while it paints, so its
            // buffer is the one the painter writes to.
            pixels_ = reinterpret_cast<std::uint32_t*>(const_cast<uchar*>(image->constBits()));
            stride_ = int(image->bytesPerLine() / 4);
            rasterWidth_ = image->width();
            rasterHeight_ = image->height();
            offsetX_ = int(painter_.transform().dx());
            offsetY_ = int(painter_.transform().dy());
        }
    }
    const std::vector<PictureOp>& ops = picture_.Ops();
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const PictureOp& op = ops[i];
        if (op.Kind != OpKind::LineTo && op.Kind != OpKind::MoveTo) FlushLines();
        switch (op.Kind) {
            case OpKind::Pen:
                pen_ = picture_.PenOf(op);
                qpen_ = MakeQPen(pen_);
                shapeStateApplied_ = false;
                break;
            case OpKind::Brush:
                brush_ = picture_.BrushOf(op);
                qbrush_ = QBrush(ToQColor(brush_.Color));
                shapeStateApplied_ = false;
                break;
            case OpKind::Font:
                font_ = picture_.FontOf(op);
                break;
            case OpKind::MoveTo:
                position_ = QPoint(op.A, op.B);
                break;
            case OpKind::LineTo: {
                const QPoint to(op.A, op.B);
                if (pen_.Style == PenStyle::psSolid && pen_.Width <= 1 && plainDevice_) {
                    const bool continues = i + 1 < ops.size() && ops[i + 1].Kind == OpKind::LineTo;
                    if (to != position_) BatchLine(position_, to, continues);
                } else if (pen_.Style != PenStyle::psClear && to != position_) {
                    Line(position_, to);
                }
                position_ = to;
                break;
            }
            case OpKind::Rectangle:
            case OpKind::Ellipse:
            case OpKind::Polygon:
                Shape(op);
                break;
            case OpKind::FillRect:
                if (brush_.Style == BrushStyle::bsClear) break;
                painter_.fillRect(QRect(op.A, op.B, op.C - op.A, op.D - op.B), qbrush_);
                break;
            case OpKind::TextOut: {
                const QString text = QString::fromStdString(picture_.TextOf(op));
                const QFont qfont = MakeQFont(font_);
                painter_.save();
                painter_.setFont(qfont);
                painter_.setPen(ToQColor(font_.Color));
                painter_.translate(op.A, op.B);
                if (font_.Escapement != 0) painter_.rotate(-font_.Escapement / 10.0);
                painter_.drawText(0, QFontMetrics(qfont).ascent(), text);
                painter_.restore();
                shapeStateApplied_ = false;
                break;
            }
        }
    }
    FlushLines();
}

}  // namespace

void ReplayPicture(QPainter& painter, const Picture& picture, int x, int y, bool stamps) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.translate(x, y);
    Replayer(painter, picture, stamps).Run();
    painter.restore();
}

QImage PictureToImage(const Picture& picture, int width, int height) {
    if (width < 0) width = picture.Width();
    if (height < 0) height = picture.Height();
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ReplayPicture(painter, picture);
    painter.end();
    return image;
}
