#include "platform/PictureReplay.h"

#include <QFontMetrics>
#include <QImage>
#include <cstdlib>
#include <vector>

#include "platform/FontSubstitution.h"

namespace {

QPen MakeQPen(const TPen& pen) {
    if (pen.Style == PenStyle::psClear) return QPen(Qt::NoPen);
    QPen q(ToQColor(pen.Color));
    const int width = std::max(1, pen.Width);
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

// Qt's aliased line paints the pixels from the lower to just before the
// higher end along its major axis, whichever way it runs. A line that runs
// backwards is drawn the other way round with its end pixel clipped off,
// then its start pixel is set, so that every line paints its start and not
// its end.
void DrawLineWithoutEndPoint(QPainter& painter, const QPen& pen, QPoint from, QPoint to) {
    const int dx = to.x() - from.x(), dy = to.y() - from.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const bool backwards = xMajor ? dx < 0 : dy < 0;
    if (!backwards || pen.width() > 1) {
        painter.drawLine(from, to);
        return;
    }
    constexpr int kFar = 1 << 30;
    const QRect beyondEnd = xMajor ? QRect(to.x() + 1, -kFar, kFar, 2 * kFar)
                                   : QRect(-kFar, to.y() + 1, 2 * kFar, kFar);
    painter.save();
    painter.setClipRect(beyondEnd, Qt::IntersectClip);
    painter.drawLine(to, from);
    painter.restore();
    painter.fillRect(QRect(from, QSize(1, 1)), pen.color());
}

}  // namespace

void ReplayPicture(QPainter& painter, const Picture& picture, int x, int y) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.translate(x, y);

    TPen pen;
    TBrush brush;
    TLogFont font;
    QPen qpen = MakeQPen(pen);
    QBrush qbrush(ToQColor(brush.Color));
    QFont qfont = MakeQFont(font);
    QPoint position(0, 0);
    std::vector<QPoint> polygon;

    auto applyShape = [&] {
        painter.setPen(qpen);
        painter.setBrush(brush.Style == BrushStyle::bsClear ? QBrush(Qt::NoBrush) : qbrush);
    };

    for (const PictureOp& op : picture.Ops()) {
        switch (op.Kind) {
            case OpKind::Pen:
                pen = picture.PenOf(op);
                qpen = MakeQPen(pen);
                break;
            case OpKind::Brush:
                brush = picture.BrushOf(op);
                qbrush = QBrush(ToQColor(brush.Color));
                break;
            case OpKind::Font:
                font = picture.FontOf(op);
                qfont = MakeQFont(font);
                break;
            case OpKind::MoveTo:
                position = QPoint(op.A, op.B);
                break;
            case OpKind::LineTo: {
                const QPoint to(op.A, op.B);
                if (pen.Style != PenStyle::psClear && to != position) {
                    painter.setPen(qpen);
                    DrawLineWithoutEndPoint(painter, qpen, position, to);
                }
                position = to;
                break;
            }
            case OpKind::Rectangle:
            case OpKind::Ellipse: {
                const int w = op.C - op.A, h = op.D - op.B;
                if (w <= 0 || h <= 0) break;
                if (w == 1 || h == 1) {
                    // A box one pixel thin is all outline.
                    if (pen.Style != PenStyle::psClear)
                        painter.fillRect(QRect(op.A, op.B, w, h), ToQColor(pen.Color));
                    break;
                }
                applyShape();
                if (op.Kind == OpKind::Rectangle)
                    painter.drawRect(OutlineBox(op.A, op.B, op.C, op.D));
                else
                    painter.drawEllipse(OutlineBox(op.A, op.B, op.C, op.D));
                break;
            }
            case OpKind::Polygon: {
                const PixelPoint* points = picture.PointsOf(op);
                polygon.clear();
                for (std::uint32_t i = 0; i < op.Count; ++i)
                    polygon.emplace_back(points[i].x, points[i].y);
                applyShape();
                painter.drawPolygon(polygon.data(), int(polygon.size()));
                break;
            }
            case OpKind::FillRect:
                if (brush.Style == BrushStyle::bsClear) break;
                painter.fillRect(QRect(op.A, op.B, op.C - op.A, op.D - op.B), qbrush);
                break;
            case OpKind::TextOut: {
                const QString text = QString::fromStdString(picture.TextOf(op));
                painter.save();
                painter.setFont(qfont);
                painter.setPen(ToQColor(font.Color));
                painter.translate(op.A, op.B);
                if (font.Escapement != 0) painter.rotate(-font.Escapement / 10.0);
                painter.drawText(0, QFontMetrics(qfont).ascent(), text);
                painter.restore();
                break;
            }
        }
    }
    painter.restore();
}

QImage PictureToImage(const Picture& picture, int width, int height) {
    if (width < 0) width = picture.Width();
    if (height < 0) height = picture.Height();
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    ReplayPicture(painter, picture);
    painter.end();
    return image;
}
