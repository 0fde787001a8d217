#include "platform/PictureReplay.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <cmath>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/DashPattern.h"
#include "platform/FontSubstitution.h"
#include "platform/FormatText.h"
#include "platform/RaisedError.h"
#include "platform/Raster.h"
#include "platform/SystemMemory.h"

namespace {

// A smooth pen has its fine width.
QPen MakeQPen(const TPen& pen, bool smooth) {
    if (pen.Style == PenStyle::psClear) return QPen(Qt::NoPen);
    QPen q(ToQColor(pen.Color));
    // Wider pens than any picture is large paint nothing more.
    const qreal width = smooth ? SmoothWidth(pen) : PaintedWidth(pen);
    q.setWidthF(width);
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::MiterJoin);
    // The dash lengths are pixels; Qt counts them in pen widths.
    if (const DashPattern* dashes = DashPatternOf(pen.Style)) {
        QList<qreal> pattern;
        for (int i = 0; i < dashes->count; ++i) pattern.append(qreal(dashes->lengths[i]) / width);
        q.setDashPattern(pattern);
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

// A small shape drawn once: as spans of pixels for a raster, as an
// anti-aliased image at the painter's scale for a smooth replay onto an
// image.
struct Stamp {
    std::vector<Raster::Span> spans;
    QImage image;
};
constexpr int kStampMargin = 2;

class Replayer {
  public:
    Replayer(QPainter& painter, const Picture& picture, ReplayStyle style, bool backdrops)
        : painter_(painter),
          picture_(picture),
          smooth_(style == ReplayStyle::Smooth),
          backdrops_(backdrops) {}

    void Run();

  private:
    void ApplyShapeState();
    void LineTo(QPoint to, QPointF exactTo);
    // Where a smooth replay draws a point recorded at (x, y): exactly
    // where it lies; other replays, on its pixel.
    QPointF At(int x, int y, SubPixel exact) const {
        return smooth_ ? QPointF(x + qreal(exact.x), y + qreal(exact.y)) : QPointF(x, y);
    }
    // Without a raster, a run of lines is one polyline, so that its dashes
    // go on from line to line.
    void FlushRun();
    void Shape(const PictureOp& op);
    // Draws a shape moved by (dx, dy); with a raster, a polygon's outline
    // is made of its lines, so that every corner is painted.
    // A smooth shape is moved by `exact` as well.
    void DrawShape(QPainter& p, Raster* raster, const PictureOp& op, int dx, int dy,
                   QPointF exact = {});
    const Stamp& StampOf(const PictureOp& op, int left, int top, int right, int bottom);

    // Smooth strokes lie where the pixel rules paint them.
    qreal SmoothOffset() const { return smooth_ ? StrokeOffset(pen_) : 0.0; }
    // A smooth shape lies exactly where its mark does.
    QPointF ExactShift(const PictureOp& op) const {
        return smooth_ ? QPointF(op.Exact.x, op.Exact.y) : QPointF();
    }

    QPainter& painter_;
    const Picture& picture_;
    bool smooth_;
    bool backdrops_;
    TPen pen_;
    TBrush brush_;
    TLogFont font_;
    QPen qpen_ = MakeQPen(TPen{}, false);
    QBrush qbrush_{ToQColor(TBrush{}.Color)};
    bool shapeStateApplied_ = false;
    QPoint position_{0, 0};
    QPointF exactPosition_{0, 0};
    std::vector<QPoint> polygon_;
    std::vector<QPointF> smoothPoints_;
    // Set when the painter draws on a 32-bit image with no more than a
    // translation and no clip: lines and marks are then written straight
    // into its pixels.
    std::optional<Raster> raster_;
    int dashPhase_ = 0;
    bool joined_ = false;
    std::vector<QPointF> run_;
    // Marks repeat by the thousand, and a small shape at a whole-pixel
    // position always has the same pixels: each is drawn once, then copied.
    // Marks of one series follow each other: the last stamp first.
    std::unordered_map<StampKey, Stamp, StampKeyHash> stamps_;
    StampKey lastKey_{};
    const Stamp* lastStamp_ = nullptr;
    // Smooth onto an image, scaled at most: marks are stamped too, at the
    // nearest device pixel.
    bool smoothStamps_ = false;
    qreal scale_ = 1;
};

void Replayer::ApplyShapeState() {
    if (shapeStateApplied_) return;
    painter_.setPen(qpen_);
    painter_.setBrush(brush_.Style == BrushStyle::bsClear ? QBrush(Qt::NoBrush) : qbrush_);
    shapeStateApplied_ = true;
}

void Replayer::LineTo(QPoint to, QPointF exactTo) {
    if (raster_) {
        if (to == position_) return;
        raster_->Line({position_.x(), position_.y()}, {to.x(), to.y()}, pen_, dashPhase_, joined_);
        joined_ = true;
        return;
    }
    if (run_.empty()) run_.push_back(exactPosition_);
    run_.push_back(exactTo);
}

void Replayer::FlushRun() {
    if (run_.empty()) return;
    if (pen_.Style != PenStyle::psClear) {
        ApplyShapeState();
        const qreal o = SmoothOffset();
        smoothPoints_.clear();
        for (const QPointF& p : run_) smoothPoints_.emplace_back(p.x() + o, p.y() + o);
        painter_.drawPolyline(smoothPoints_.data(), int(smoothPoints_.size()));
    }
    run_.clear();
}

void Replayer::DrawShape(QPainter& p, Raster* raster, const PictureOp& op, int dx, int dy,
                         QPointF exact) {
    if (op.Kind == OpKind::Polygon) {
        const PixelPoint* points = picture_.PointsOf(op);
        polygon_.clear();
        for (std::uint32_t i = 0; i < op.Count; ++i)
            polygon_.emplace_back(points[i].x + dx, points[i].y + dy);
        if (!raster) {
            const QPointF o = QPointF(SmoothOffset(), SmoothOffset()) + exact;
            smoothPoints_.clear();
            for (const QPoint& q : polygon_) smoothPoints_.push_back(QPointF(q) + o);
            p.drawPolygon(smoothPoints_.data(), int(smoothPoints_.size()));
            return;
        }
        if (brush_.Style != BrushStyle::bsClear) {
            p.save();
            p.setPen(Qt::NoPen);
            p.drawPolygon(polygon_.data(), int(polygon_.size()));
            p.restore();
        }
        int phase = 0;
        for (std::size_t i = 0; i < polygon_.size(); ++i) {
            const QPoint a = polygon_[i], b = polygon_[(i + 1) % polygon_.size()];
            raster->Line({a.x(), a.y()}, {b.x(), b.y()}, pen_, phase, i > 0);
        }
        return;
    }
    const QRect box = OutlineBox(op.A + dx, op.B + dy, op.C + dx, op.D + dy);
    if (smooth_) {
        const qreal o = SmoothOffset();
        const QRectF smoothBox = QRectF(box).translated(QPointF(o, o) + exact);
        if (op.Kind == OpKind::Rectangle)
            p.drawRect(smoothBox);
        else
            p.drawEllipse(smoothBox);
        return;
    }
    if (op.Kind == OpKind::Rectangle)
        p.drawRect(box);
    else
        p.drawEllipse(box);
}

const Stamp& Replayer::StampOf(const PictureOp& op, int left, int top, int right, int bottom) {
    StampKey key{op.Kind, op.C - op.A, op.D - op.B, pen_, brush_, {}};
    if (op.Kind == OpKind::Polygon) {
        key.w = key.h = 0;
        const PixelPoint* points = picture_.PointsOf(op);
        for (std::uint32_t i = 0; i < op.Count; ++i)
            key.points.push_back({points[i].x - left, points[i].y - top});
    }
    if (lastStamp_ && key == lastKey_) return *lastStamp_;
    auto found = stamps_.find(key);
    if (found == stamps_.end()) {
        const int w = right - left + 2 * kStampMargin + 1, h = bottom - top + 2 * kStampMargin + 1;
        Stamp stamp;
        QImage image(int(std::ceil(w * scale_)), int(std::ceil(h * scale_)),
                     smooth_ ? QImage::Format_ARGB32_Premultiplied : QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, smooth_);
        p.setPen(qpen_);
        p.setBrush(brush_.Style == BrushStyle::bsClear ? QBrush(Qt::NoBrush) : qbrush_);
        if (smooth_) {
            p.scale(scale_, scale_);
            DrawShape(p, nullptr, op, kStampMargin - left, kStampMargin - top);
            p.end();
            stamp.image = std::move(image);
        } else {
            Raster raster(image, 0, 0);
            DrawShape(p, &raster, op, kStampMargin - left, kStampMargin - top);
            p.end();
            stamp.spans = Raster::SpansOf(image, kStampMargin, kStampMargin);
        }
        found = stamps_.emplace(key, std::move(stamp)).first;
    }
    lastKey_ = std::move(key);
    lastStamp_ = &found->second;
    return found->second;
}

void Replayer::Shape(const PictureOp& op) {
    PixelRect box;
    if (!picture_.ShapeBounds(op, box)) return;
    const int left = box.Left, top = box.Top, right = box.Right, bottom = box.Bottom;
    if (op.Kind != OpKind::Polygon) {
        const int w = op.C - op.A, h = op.D - op.B;
        if (w <= 0 || h <= 0) return;
        if (w == 1 || h == 1) {
            // A box one pixel thin is all outline.
            if (pen_.Style != PenStyle::psClear)
                painter_.fillRect(QRect(op.A, op.B, w, h), ToQColor(pen_.Color));
            return;
        }
    }
    constexpr int kMaxStamp = 64;
    const bool small = pen_.Width <= 1 && right - left <= kMaxStamp && bottom - top <= kMaxStamp;
    if (raster_ && small) {
        raster_->Stamp(StampOf(op, left, top, right, bottom).spans, left, top);
        return;
    }
    if (smoothStamps_ && small) {
        const QImage& image = StampOf(op, left, top, right, bottom).image;
        const QTransform world = painter_.transform();
        const QPointF corner =
            world.map(QPointF(left - kStampMargin, top - kStampMargin) + ExactShift(op));
        painter_.setTransform(QTransform());
        painter_.drawImage(QPoint(int(std::lround(corner.x())), int(std::lround(corner.y()))),
                           image);
        painter_.setTransform(world);
        return;
    }
    ApplyShapeState();
    DrawShape(painter_, raster_ ? &*raster_ : nullptr, op, 0, 0, ExactShift(op));
}

void Replayer::Run() {
    const QTransform::TransformationType transform = painter_.transform().type();
    if (smooth_ && !painter_.hasClipping() && transform <= QTransform::TxScale &&
        painter_.device() && painter_.device()->devType() == QInternal::Image) {
        smoothStamps_ = true;
        scale_ = painter_.transform().m11();
    }
    if (!smooth_ && !painter_.hasClipping() &&
        painter_.transform().type() <= QTransform::TxTranslate && painter_.device() &&
        painter_.device()->devType() == QInternal::Image) {
        auto* image = static_cast<QImage*>(painter_.device());
        if (Raster::Writable(*image))
            raster_.emplace(*image, int(painter_.transform().dx()), int(painter_.transform().dy()));
    }
    for (const PictureOp& op : picture_.Ops()) {
        if (op.Kind != OpKind::LineTo) FlushRun();
        switch (op.Kind) {
            case OpKind::Pen:
                pen_ = picture_.PenOf(op);
                qpen_ = MakeQPen(pen_, smooth_);
                shapeStateApplied_ = false;
                dashPhase_ = 0;
                joined_ = false;
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
                exactPosition_ = At(op.A, op.B, op.Exact);
                dashPhase_ = 0;
                joined_ = false;
                break;
            case OpKind::LineTo: {
                const QPoint to(op.A, op.B);
                const QPointF exactTo = At(op.A, op.B, op.Exact);
                LineTo(to, exactTo);
                position_ = to;
                exactPosition_ = exactTo;
                break;
            }
            case OpKind::Rectangle:
            case OpKind::Ellipse:
            case OpKind::Polygon:
                Shape(op);
                break;
            case OpKind::FillRect:
                if (brush_.Style == BrushStyle::bsClear || (op.Backdrop && !backdrops_)) break;
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
                if (smooth_) {
                    // At its true point size, from the same corner.
                    const qreal scale = PointSizeScale(font_);
                    painter_.scale(scale, scale);
                }
                painter_.drawText(0, QFontMetrics(qfont).ascent(), text);
                painter_.restore();
                shapeStateApplied_ = false;
                break;
            }
        }
    }
    FlushRun();
}

}  // namespace

// Qt's vector painting code can return with the upper halves of the x86
// vector registers in use; every scalar instruction after it then pays a
// transition penalty until they are cleared. Measured: the metafile
// writers ran 2.5 times slower after a graph had been painted.
static void ClearUpperVectorState() {
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx) __asm__ volatile("vzeroupper");
#endif
}

void ReplayPicture(QPainter& painter, const Picture& picture, int x, int y, ReplayStyle style,
                   bool backdrops) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, style == ReplayStyle::Smooth);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.translate(x, y);
    Replayer(painter, picture, style, backdrops).Run();
    painter.restore();
    ClearUpperVectorState();
}

void RaiseImageMemory(int width, int height) {
    Raise(FormatText(kImageMemoryText, {std::to_string(width), std::to_string(height)}));
}

QImage NewImage(int width, int height, QImage::Format format) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    // Asked first: with overcommitted memory the allocation could succeed
    // and the filling of its pages end the program.
    const std::uint64_t bytes = std::uint64_t(width) * std::uint64_t(height) * 4;
    QImage image;
    if (bytes <= AvailableSystemMemory()) image = QImage(width, height, format);
    if (image.isNull()) RaiseImageMemory(width, height);
    return image;
}

std::string EncodedImage(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format) || bytes.isEmpty())
        RaiseImageMemory(image.width(), image.height());
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

QImage WhiteImage(int width, int height) {
    QImage image = NewImage(width, height, QImage::Format_RGB32);
    auto* pixels = reinterpret_cast<std::uint32_t*>(image.bits());
    std::fill(pixels, pixels + std::size_t(image.bytesPerLine() / 4) * std::size_t(image.height()),
              0xFFFFFFFFu);
    return image;
}

QImage PictureToImage(const Picture& picture, int width, int height) {
    if (width < 0) width = picture.Width();
    if (height < 0) height = picture.Height();
    QImage image = WhiteImage(width, height);
    QPainter painter(&image);
    if (!painter.isActive()) RaiseImageMemory(image.width(), image.height());
    ReplayPicture(painter, picture);
    painter.end();
    return image;
}
