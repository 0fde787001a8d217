#include "platform/MetafileRecords.h"

#include <QFontMetrics>
#include <algorithm>

#include "platform/FontSubstitution.h"
#include "platform/RaisedError.h"

U_COLORREF ColorRef(TColor color) {
    const TColor c = ResolveColor(color);
    return U_RGB(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

uint32_t PenStyleOf(PenStyle style) {
    switch (style) {
        case PenStyle::psDash:
            return U_PS_DASH;
        case PenStyle::psDot:
            return U_PS_DOT;
        case PenStyle::psDashDot:
            return U_PS_DASHDOT;
        case PenStyle::psDashDotDot:
            return U_PS_DASHDOTDOT;
        case PenStyle::psClear:
            return U_PS_NULL;
        case PenStyle::psInsideFrame:
            return U_PS_INSIDEFRAME;
        default:
            return U_PS_SOLID;
    }
}

// The advances of each UTF-16 unit of a text in a font, in pixels.
std::vector<double> Advances(const TLogFont& font, const QString& text) {
    TLogFont f = font;
    f.Escapement = 0;
    const QFontMetricsF metrics(MakeQFont(f));
    std::vector<double> advances;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size()) {
            advances.push_back(metrics.horizontalAdvance(text.mid(i, 2)));
            advances.push_back(0);
            ++i;
        } else {
            advances.push_back(metrics.horizontalAdvance(text[i]));
        }
    }
    return advances;
}

bool Fits16(int v) {
    return v >= -32768 && v <= 32767;
}

U_RECTL BoundsOf(const std::vector<U_POINTL>& points) {
    U_RECTL b{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const U_POINTL& p : points) {
        b.left = std::min(b.left, p.x);
        b.top = std::min(b.top, p.y);
        b.right = std::max(b.right, p.x);
        b.bottom = std::max(b.bottom, p.y);
    }
    return b;
}

bool AllFit16(const std::vector<U_POINTL>& points) {
    for (const U_POINTL& p : points)
        if (!Fits16(p.x) || !Fits16(p.y)) return false;
    return true;
}

std::vector<U_POINT16> To16(const std::vector<U_POINTL>& points) {
    std::vector<U_POINT16> out;
    out.reserve(points.size());
    for (const U_POINTL& p : points) out.push_back(U_POINT16{int16_t(p.x), int16_t(p.y)});
    return out;
}

std::vector<U_POINTL> BoxOutline(const PictureOp& box) {
    return {{box.A, box.B}, {box.C - 1, box.B}, {box.C - 1, box.D - 1}, {box.A, box.D - 1}};
}

void PutU32(std::string& bytes, std::size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = char((value >> (8 * i)) & 0xFF);
}

void PutU16(std::string& bytes, std::size_t offset, uint16_t value) {
    bytes[offset] = char(value & 0xFF);
    bytes[offset + 1] = char(value >> 8);
}

void RecordBuffer::Append(const char* record, std::size_t size) {
    if (!record) Raise(kRecordFailedText);
    bytes_.append(record, size);
    ++records_;
    largest_ = std::max(largest_, size);
}
