#include "platform/MetafileWriters.h"

#include <QFontMetrics>
#include <QString>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" {
#include <uemf.h>
#include <uwmf.h>
}

#include "platform/Cp932.h"
#include "platform/FontSubstitution.h"

namespace {

constexpr int kDpi = 96;

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

// Records of one metafile, gathered in memory.
class RecordBuffer {
public:
    void Append(const char* record, std::size_t size) {
        if (!record) return;
        bytes_.append(record, size);
        ++records_;
        largest_ = std::max(largest_, size);
    }
    std::string& Bytes() { return bytes_; }
    std::size_t Records() const { return records_; }
    std::size_t Largest() const { return largest_; }

private:
    std::string bytes_;
    std::size_t records_ = 0;
    std::size_t largest_ = 0;
};

void PutU32(std::string& bytes, std::size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = char((value >> (8 * i)) & 0xFF);
}

void PutU16(std::string& bytes, std::size_t offset, uint16_t value) {
    bytes[offset] = char(value & 0xFF);
    bytes[offset + 1] = char(value >> 8);
}

// ---------------------------------------------------------------- EMF

class EmfWriter {
public:
    explicit EmfWriter(const Picture& picture) : picture_(picture) {}
    std::string Write();

private:
    void Emit(char* record) {
        if (!record) return;
        out_.Append(record, reinterpret_cast<U_EMR*>(record)->nSize);
        std::free(record);
    }
    void FlushLines();
    void SelectPen(const TPen& pen);
    void SelectBrush(const TBrush& brush);
    void SelectFont(const TLogFont& font);
    void Text(int x, int y, const std::string& text);

    // Objects live in two slots per kind: the new one is made in the free
    // slot and selected, then the old one is deleted.
    uint32_t NextSlot(uint32_t base, uint32_t& current) {
        const uint32_t slot = current == base ? base + 1 : base;
        return slot;
    }

    const Picture& picture_;
    RecordBuffer out_;
    TLogFont font_;
    uint32_t penSlot_ = 0, brushSlot_ = 0, fontSlot_ = 0;
    std::vector<U_POINTL> polyline_;
};

void EmfWriter::FlushLines() {
    if (polyline_.empty()) return;
    if (polyline_.size() == 1) {
        Emit(U_EMRLINETO_set(polyline_[0]));
    } else {
        // Runs of lines as one record: a twentieth of the size.
        U_RECTL bounds{polyline_[0].x, polyline_[0].y, polyline_[0].x, polyline_[0].y};
        for (const U_POINTL& p : polyline_) {
            bounds.left = std::min(bounds.left, p.x);
            bounds.top = std::min(bounds.top, p.y);
            bounds.right = std::max(bounds.right, p.x);
            bounds.bottom = std::max(bounds.bottom, p.y);
        }
        Emit(U_EMRPOLYLINETO_set(bounds, uint32_t(polyline_.size()), polyline_.data()));
    }
    polyline_.clear();
}

void EmfWriter::SelectPen(const TPen& pen) {
    const uint32_t slot = NextSlot(1, penSlot_);
    U_POINT width{std::max(pen.Width, 0), 0};
    Emit(U_EMRCREATEPEN_set(slot, logpen_set(PenStyleOf(pen.Style), width, ColorRef(pen.Color))));
    Emit(U_EMRSELECTOBJECT_set(slot));
    if (penSlot_) Emit(U_EMRDELETEOBJECT_set(penSlot_));
    penSlot_ = slot;
}

void EmfWriter::SelectBrush(const TBrush& brush) {
    if (brush.Style == BrushStyle::bsClear) {
        Emit(U_EMRSELECTOBJECT_set(U_NULL_BRUSH));
        if (brushSlot_) Emit(U_EMRDELETEOBJECT_set(brushSlot_));
        brushSlot_ = 0;
        return;
    }
    const uint32_t slot = NextSlot(3, brushSlot_);
    Emit(U_EMRCREATEBRUSHINDIRECT_set(slot, logbrush_set(U_BS_SOLID, ColorRef(brush.Color), 0)));
    Emit(U_EMRSELECTOBJECT_set(slot));
    if (brushSlot_) Emit(U_EMRDELETEOBJECT_set(brushSlot_));
    brushSlot_ = slot;
}

void EmfWriter::SelectFont(const TLogFont& font) {
    font_ = font;
    uint16_t face[U_LF_FACESIZE] = {};
    const QString name = QString::fromStdString(font.FaceName).left(U_LF_FACESIZE - 1);
    for (qsizetype i = 0; i < name.size(); ++i) face[i] = name[i].unicode();
    U_LOGFONT lf = logfont_set(font.Height, 0, font.Escapement, font.Escapement, font.Weight,
                               font.Italic, font.Underline, font.StrikeOut, font.CharSet,
                               U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY,
                               U_DEFAULT_PITCH, face);
    const uint32_t slot = NextSlot(5, fontSlot_);
    Emit(U_EMREXTCREATEFONTINDIRECTW_set(slot, reinterpret_cast<const char*>(&lf), nullptr));
    Emit(U_EMRSELECTOBJECT_set(slot));
    if (fontSlot_) Emit(U_EMRDELETEOBJECT_set(fontSlot_));
    fontSlot_ = slot;
    Emit(U_EMRSETTEXTCOLOR_set(ColorRef(font.Color)));
}

void EmfWriter::Text(int x, int y, const std::string& text) {
    const QString q = QString::fromStdString(text);
    if (q.isEmpty()) return;
    std::vector<uint16_t> units(std::size_t(q.size()));
    for (qsizetype i = 0; i < q.size(); ++i) units[std::size_t(i)] = q[i].unicode();
    std::vector<uint32_t> dx;
    double pen = 0, placed = 0;
    for (double a : Advances(font_, q)) {
        pen += a;
        const uint32_t next = uint32_t(std::lround(pen));
        dx.push_back(uint32_t(next - placed));
        placed = next;
    }
    const U_RECTL none{0, 0, -1, -1};
    char* emrtext = emrtext_set(U_POINTL{x, y}, U_NUM_STR(units.size()), 2, units.data(),
                                U_ETO_NONE, none, dx.data());
    const int32_t width = int32_t(placed), height = std::abs(font_.Height) + 4;
    const U_RECTL bounds{x, y, x + width, y + height};
    Emit(U_EMREXTTEXTOUTW_set(bounds, U_GM_COMPATIBLE, 1.0f, 1.0f,
                              reinterpret_cast<PU_EMRTEXT>(emrtext)));
    std::free(emrtext);
}

std::string EmfWriter::Write() {
    const int w = std::max(picture_.Width(), 1), h = std::max(picture_.Height(), 1);
    // The reference device: a screen of 1920 x 1080 pixels at 96 dpi.
    const U_SIZEL device{1920, 1080};
    const U_SIZEL millimetres{1920 * 254 / (kDpi * 10), 1080 * 254 / (kDpi * 10)};
    const U_RECTL bounds{0, 0, w - 1, h - 1};
    // Frame: the pixel size in hundredths of a millimetre, inclusive.
    const U_RECTL frame{0, 0, int32_t(std::lround(w * 2540.0 / kDpi)) - 1,
                        int32_t(std::lround(h * 2540.0 / kDpi)) - 1};
    uint16_t description[] = {'K', 'u', 'r', 'v', 'o', 0, 'g', 'r', 'a', 'p', 'h', 0, 0};
    Emit(U_EMRHEADER_set(bounds, frame, nullptr, 13, description, device, millimetres, 0));
    Emit(U_EMRSETBKMODE_set(U_TRANSPARENT));
    Emit(U_EMRSETTEXTALIGN_set(U_TA_TOP | U_TA_LEFT | U_TA_NOUPDATECP));
    SelectPen(TPen{});
    SelectBrush(TBrush{});
    SelectFont(TLogFont{});

    for (const PictureOp& op : picture_.Ops()) {
        if (op.Kind != OpKind::LineTo) FlushLines();
        switch (op.Kind) {
            case OpKind::Pen:
                SelectPen(picture_.PenOf(op));
                break;
            case OpKind::Brush:
                SelectBrush(picture_.BrushOf(op));
                break;
            case OpKind::Font:
                SelectFont(picture_.FontOf(op));
                break;
            case OpKind::MoveTo:
                Emit(U_EMRMOVETOEX_set(U_POINTL{op.A, op.B}));
                break;
            case OpKind::LineTo:
                polyline_.push_back(U_POINTL{op.A, op.B});
                break;
            case OpKind::Rectangle:
                Emit(U_EMRRECTANGLE_set(U_RECTL{op.A, op.B, op.C, op.D}));
                break;
            case OpKind::Ellipse:
                Emit(U_EMRELLIPSE_set(U_RECTL{op.A, op.B, op.C, op.D}));
                break;
            case OpKind::Polygon: {
                const PixelPoint* p = picture_.PointsOf(op);
                std::vector<U_POINTL> points;
                U_RECTL box{p[0].x, p[0].y, p[0].x, p[0].y};
                for (std::uint32_t i = 0; i < op.Count; ++i) {
                    points.push_back(U_POINTL{p[i].x, p[i].y});
                    box.left = std::min(box.left, p[i].x);
                    box.top = std::min(box.top, p[i].y);
                    box.right = std::max(box.right, p[i].x);
                    box.bottom = std::max(box.bottom, p[i].y);
                }
                Emit(U_EMRPOLYGON_set(box, op.Count, points.data()));
                break;
            }
            case OpKind::FillRect:
                // A rectangle without outline covers (l, t) to (r - 1, b - 1)
                // once its box is one pixel larger.
                Emit(U_EMRSELECTOBJECT_set(U_NULL_PEN));
                Emit(U_EMRRECTANGLE_set(U_RECTL{op.A, op.B, op.C + 1, op.D + 1}));
                Emit(U_EMRSELECTOBJECT_set(penSlot_));
                break;
            case OpKind::TextOut:
                Text(op.A, op.B, picture_.TextOf(op));
                break;
        }
    }
    FlushLines();
    EMFTRACK track{};
    Emit(U_EMREOF_set(0, nullptr, &track));

    std::string& bytes = out_.Bytes();
    PutU32(bytes, 48, uint32_t(bytes.size()));     // nBytes
    PutU32(bytes, 52, uint32_t(out_.Records()));   // nRecords
    PutU16(bytes, 56, 7);                          // nHandles: six slots and the zeroth
    return bytes;
}

// ---------------------------------------------------------------- WMF

class WmfWriter {
public:
    explicit WmfWriter(const Picture& picture) : picture_(picture) {}
    std::string Write();

private:
    void Emit(char* record) {
        if (!record) return;
        const uint32_t words = reinterpret_cast<U_METARECORD*>(record)->Size16_4[0] |
                               (uint32_t(reinterpret_cast<U_METARECORD*>(record)->Size16_4[1]) << 16);
        out_.Append(record, std::size_t(words) * 2);
        std::free(record);
    }
    int16_t Unit(int pixels) const {
        const double v = std::round(pixels * scale_);
        return int16_t(std::clamp(v, -32768.0, 32767.0));
    }
    U_POINT16 Point(int x, int y) const { return U_POINT16{Unit(x), Unit(y)}; }
    void SelectPen(const TPen& pen);
    void SelectBrush(const TBrush& brush);
    void SelectFont(const TLogFont& font);
    void Text(int x, int y, const std::string& text);
    void Replace(uint32_t& current, char* create, uint32_t made);

    const Picture& picture_;
    RecordBuffer out_;
    WMFHANDLES* handles_ = nullptr;
    double scale_ = 2540.0 / kDpi;
    // Transparent for text and dashed lines; opaque for fills, which some
    // readers draw half transparent otherwise.
    void BackgroundMode(uint16_t mode) {
        if (mode == bkMode_) return;
        Emit(U_WMRSETBKMODE_set(mode));
        bkMode_ = mode;
    }

    TLogFont font_;
    uint16_t bkMode_ = 0;
    uint32_t pen_ = 0, brush_ = 0, font16_ = 0;
};

void WmfWriter::Replace(uint32_t& current, char* create, uint32_t made) {
    Emit(create);
    Emit(wselectobject_set(made, handles_));
    if (current) {
        uint32_t old = current;
        Emit(wdeleteobject_set(&old, handles_));
    }
    current = made;
}

void WmfWriter::SelectPen(const TPen& pen) {
    uint32_t made = 0;
    const uint16_t width = uint16_t(std::clamp(std::lround(pen.Width * scale_), 0L, 32767L));
    char* record = wcreatepenindirect_set(
        &made, handles_, U_PEN_set(uint16_t(PenStyleOf(pen.Style)), width, ColorRef(pen.Color)));
    Replace(pen_, record, made);
}

void WmfWriter::SelectBrush(const TBrush& brush) {
    uint32_t made = 0;
    const uint16_t style = brush.Style == BrushStyle::bsClear ? U_BS_NULL : U_BS_SOLID;
    char* record =
        wcreatebrushindirect_set(&made, handles_, U_WLOGBRUSH_set(style, ColorRef(brush.Color), 0));
    Replace(brush_, record, made);
}

void WmfWriter::SelectFont(const TLogFont& font) {
    font_ = font;
    // The face name in CP932, never cut inside a character.
    const auto face = Utf8ToCp932(font.FaceName);
    std::string name(Cp932Prefix(face ? *face : std::string("MS UI Gothic"), 31));
    std::vector<char> faceName(name.begin(), name.end());
    faceName.push_back(0);
    U_FONT* uf = U_FONT_set(int16_t(Unit(font.Height)), 0, int16_t(font.Escapement),
                            int16_t(font.Escapement), int16_t(font.Weight), font.Italic,
                            font.Underline, font.StrikeOut, U_SHIFTJIS_CHARSET,
                            U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY,
                            U_DEFAULT_PITCH, faceName.data());
    uint32_t made = 0;
    char* record = wcreatefontindirect_set(&made, handles_, uf);
    std::free(uf);
    Replace(font16_, record, made);
    Emit(U_WMRSETTEXTCOLOR_set(ColorRef(font.Color)));
}

void WmfWriter::Text(int x, int y, const std::string& text) {
    auto bytes = Utf8ToCp932(text);
    if (!bytes) {
        // A character CP932 has not: the text goes as far as it can, with
        // the character shown as "?".
        std::string mapped;
        const QString q = QString::fromStdString(text);
        for (qsizetype i = 0; i < q.size(); ++i) {
            const auto one = Utf8ToCp932(q.mid(i, 1).toStdString());
            mapped += one ? *one : std::string("?");
        }
        bytes = mapped;
    }
    if (bytes->empty()) return;
    // No advances: readers lay the string out with the font as a whole, as
    // they do for text of the Shift-JIS character set.
    Emit(U_WMREXTTEXTOUT_set(Point(x, y), int16_t(bytes->size()), 0, bytes->data(), nullptr,
                             U_RECT16{0, 0, 0, 0}));
}

std::string WmfWriter::Write() {
    const int w = std::max(picture_.Width(), 1), h = std::max(picture_.Height(), 1);
    // Units must fit 16 bits: a very large picture gets coarser units.
    const double largest = std::max(w, h) * 2540.0 / kDpi;
    int unitsPerInch = 2540;
    if (largest > 32000) {
        unitsPerInch = int(2540 * 32000 / largest);
        scale_ = double(unitsPerInch) / kDpi;
    }
    const int16_t right = Unit(w), bottom = Unit(h);

    // The placeable header.
    std::string& bytes = out_.Bytes();
    bytes.assign(22, '\0');
    PutU32(bytes, 0, 0x9AC6CDD7);  // key
    PutU16(bytes, 4, 0);           // handle
    PutU16(bytes, 6, 0);           // bounding box left
    PutU16(bytes, 8, 0);           // top
    PutU16(bytes, 10, uint16_t(right));
    PutU16(bytes, 12, uint16_t(bottom));
    PutU16(bytes, 14, uint16_t(unitsPerInch));  // units per inch
    PutU32(bytes, 16, 0);                       // reserved
    uint16_t checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= uint16_t(uint8_t(bytes[2 * i]) | (uint8_t(bytes[2 * i + 1]) << 8));
    PutU16(bytes, 20, checksum);
    // The metafile header, its sizes filled in at the end.
    const std::size_t header = bytes.size();
    bytes.append(18, '\0');
    PutU16(bytes, header + 0, 1);       // type: on disk
    PutU16(bytes, header + 2, 9);       // header size in words
    PutU16(bytes, header + 4, 0x0300);  // version

    wmf_htable_create(32, 32, &handles_);
    Emit(U_WMRSETWINDOWORG_set(U_POINT16{0, 0}));
    Emit(U_WMRSETWINDOWEXT_set(U_POINT16{right, bottom}));
    BackgroundMode(U_TRANSPARENT);
    Emit(U_WMRSETTEXTALIGN_set(U_TA_TOP | U_TA_LEFT | U_TA_NOUPDATECP));
    SelectPen(TPen{});
    SelectBrush(TBrush{});
    SelectFont(TLogFont{});
    TBrush brush;
    TPen pen;
    for (const PictureOp& op : picture_.Ops()) {
        switch (op.Kind) {
            case OpKind::Pen:
                pen = picture_.PenOf(op);
                SelectPen(pen);
                break;
            case OpKind::Brush:
                brush = picture_.BrushOf(op);
                SelectBrush(brush);
                break;
            case OpKind::Font:
                SelectFont(picture_.FontOf(op));
                break;
            case OpKind::MoveTo:
                Emit(U_WMRMOVETO_set(Point(op.A, op.B)));
                break;
            case OpKind::LineTo:
                if (pen.Style != PenStyle::psSolid) BackgroundMode(U_TRANSPARENT);
                Emit(U_WMRLINETO_set(Point(op.A, op.B)));
                break;
            case OpKind::Rectangle:
                BackgroundMode(U_OPAQUE);
                Emit(U_WMRRECTANGLE_set(U_RECT16{Unit(op.A), Unit(op.B), Unit(op.C), Unit(op.D)}));
                break;
            case OpKind::Ellipse:
                BackgroundMode(U_OPAQUE);
                Emit(U_WMRELLIPSE_set(U_RECT16{Unit(op.A), Unit(op.B), Unit(op.C), Unit(op.D)}));
                break;
            case OpKind::Polygon: {
                BackgroundMode(U_OPAQUE);
                const PixelPoint* p = picture_.PointsOf(op);
                std::vector<U_POINT16> points;
                for (std::uint32_t i = 0; i < op.Count; ++i) points.push_back(Point(p[i].x, p[i].y));
                Emit(U_WMRPOLYGON_set(uint16_t(points.size()), points.data()));
                break;
            }
            case OpKind::FillRect: {
                if (brush.Style == BrushStyle::bsClear) break;
                BackgroundMode(U_OPAQUE);
                // PATBLT with the brush: PATCOPY.
                const U_POINT16 origin = Point(op.A, op.B);
                const U_POINT16 size{int16_t(Unit(op.C) - Unit(op.A)),
                                     int16_t(Unit(op.D) - Unit(op.B))};
                Emit(U_WMRPATBLT_set(origin, size, U_PATCOPY));
                break;
            }
            case OpKind::TextOut:
                BackgroundMode(U_TRANSPARENT);
                Text(op.A, op.B, picture_.TextOf(op));
                break;
        }
    }
    Emit(U_WMREOF_set());
    const uint32_t objects = handles_->peak + 1;
    wmf_htable_free(&handles_);

    const uint32_t words = uint32_t((bytes.size() - header) / 2);
    PutU32(bytes, header + 6, words);                         // size in words
    PutU16(bytes, header + 10, uint16_t(objects));           // number of objects
    PutU32(bytes, header + 12, uint32_t(out_.Largest() / 2)); // largest record, words
    PutU16(bytes, header + 16, 0);                            // unused
    return bytes;
}

}  // namespace

std::string EmfBytes(const Picture& picture) { return EmfWriter(picture).Write(); }

std::string WmfBytes(const Picture& picture) { return WmfWriter(picture).Write(); }
