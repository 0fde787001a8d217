#include "app/widgets/ToolGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kGlyphSize = 16;

// Draws one glyph with the given ink; fill is the secondary colour.
void PaintGlyph(QPainter& p, ToolGlyph glyph, const QColor& ink, const QColor& fill) {
    p.setPen(QPen(ink, 1));
    switch (glyph) {
        case ToolGlyph::Open:  // an opening folder
            p.setBrush(fill);
            p.drawRect(1, 4, 12, 9);
            p.drawLine(1, 4, 3, 2);
            p.drawLine(3, 2, 7, 2);
            p.drawLine(7, 2, 8, 4);
            p.setBrush(fill.lighter(130));
            p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
            break;
        case ToolGlyph::SaveGraph:  // a diskette
            p.setBrush(fill);
            p.drawRect(1, 1, 13, 13);
            p.setBrush(Qt::white);
            p.drawRect(4, 1, 7, 5);
            p.drawRect(3, 9, 9, 5);
            break;
        case ToolGlyph::CopyGraph:  // two sheets
            p.setBrush(Qt::white);
            p.drawRect(1, 1, 8, 10);
            p.setBrush(fill);
            p.drawRect(6, 5, 8, 10);
            p.drawLine(8, 8, 12, 8);
            p.drawLine(8, 11, 12, 11);
            break;
        case ToolGlyph::Plot: {  // axes and a rising curve
            p.drawLine(2, 1, 2, 14);
            p.drawLine(2, 14, 15, 14);
            QPainterPath curve;
            curve.moveTo(3, 12);
            curve.cubicTo(7, 12, 8, 3, 14, 3);
            p.setPen(QPen(fill, 2));
            p.setBrush(Qt::NoBrush);
            p.drawPath(curve);
            break;
        }
        case ToolGlyph::ConfigRead:  // a sheet with settings lines and an arrow
            p.setBrush(Qt::white);
            p.drawRect(3, 1, 10, 14);
            p.drawLine(5, 4, 11, 4);
            p.drawLine(5, 7, 11, 7);
            p.setPen(QPen(fill, 2));
            p.drawLine(8, 9, 8, 14);
            p.drawLine(6, 12, 8, 14);
            p.drawLine(10, 12, 8, 14);
            break;
        case ToolGlyph::Serial:  // a stack of graphs
            for (int k = 2; k >= 0; --k) {
                p.setPen(QPen(ink, 1));
                p.setBrush(Qt::white);
                p.drawRect(1 + 2 * k, 1 + 2 * k, 10, 9);
            }
            p.setPen(QPen(fill, 1));
            p.drawLine(2, 9, 5, 5);
            p.drawLine(5, 5, 8, 7);
            p.drawLine(8, 7, 10, 3);
            break;
        case ToolGlyph::Help: {  // a question mark
            QFont f = p.font();
            f.setPixelSize(15);
            f.setBold(true);
            p.setFont(f);
            p.setPen(fill);
            p.drawText(QRect(0, 0, kGlyphSize, kGlyphSize), Qt::AlignCenter, "?");
            break;
        }
    }
}

QPixmap GlyphPixmap(ToolGlyph glyph, bool enabled) {
    QPixmap pixmap(kGlyphSize, kGlyphSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    if (enabled)
        PaintGlyph(p, glyph, Qt::black,
                   glyph == ToolGlyph::Open ? QColor(230, 200, 60) : QColor(0, 90, 190));
    else
        PaintGlyph(p, glyph, QColor(128, 128, 128), QColor(200, 200, 200));
    return pixmap;
}

}  // namespace

QIcon MakeToolIcon(ToolGlyph glyph) {
    QIcon icon;
    icon.addPixmap(GlyphPixmap(glyph, true), QIcon::Normal);
    icon.addPixmap(GlyphPixmap(glyph, false), QIcon::Disabled);
    return icon;
}

QPixmap ProgramPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 29, 29));
    p.setPen(QPen(QColor(190, 190, 190), 1));
    for (int k = 1; k < 4; ++k) {
        p.drawLine(QPointF(4 + 6 * k, 4), QPointF(4 + 6 * k, 28));
        p.drawLine(QPointF(4, 4 + 6 * k), QPointF(28, 4 + 6 * k));
    }
    QPainterPath curve;
    curve.moveTo(4, 26);
    curve.cubicTo(12, 26, 14, 6, 28, 6);
    p.setPen(QPen(QColor(200, 30, 30), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 70, 180));
    for (QPointF c : {QPointF(8, 24), QPointF(14, 17), QPointF(20, 10), QPointF(26, 7)})
        p.drawEllipse(c, 2, 2);
    return pixmap;
}

QIcon MakeProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) icon.addPixmap(ProgramPixmap(size));
    return icon;
}
