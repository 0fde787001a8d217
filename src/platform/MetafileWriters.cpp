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

bool Fits16(int v) { return v >= -32768 && v <= 32767; }

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
    void FlushSegments();
    void SelectPen(const TPen& pen);
    void SelectBrush(const TBrush& brush);
    void SelectFont(const TLogFont& font);
    void Text(int x, int y, const std::string& text);

    // Objects live in two slots per kind: the new one is made in the free
    // slot and selected, then the old one is deleted.
    static uint32_t FreeSlot(uint32_t base, uint32_t current) {
        return current == base ? base + 1 : base;
    }

    const Picture& picture_;
    RecordBuffer out_;
    TLogFont font_;
    uint32_t penSlot_ = 0, brushSlot_ = 0, fontSlot_ = 0;
    std::vector<U_POINTL> polyline_;
    // Move-line pairs one after the other (the crosses of the marks), drawn
    // as one record of separate lines.
    std::vector<U_POINTL> segments_;
};

void EmfWriter::FlushSegments() {
    if (segments_.empty()) return;
    const U_RECTL bounds = BoundsOf(segments_);
    const std::vector<uint32_t> counts(segments_.size() / 2, 2);
    if (AllFit16(segments_)) {
        const std::vector<U_POINT16> points = To16(segments_);
        Emit(U_EMRPOLYPOLYLINE16_set(bounds, uint32_t(counts.size()), counts.data(),
                                     uint32_t(points.size()), points.data()));
    } else {
        Emit(U_EMRPOLYPOLYLINE_set(bounds, uint32_t(counts.size()), counts.data(),
                                   uint32_t(segments_.size()), segments_.data()));
    }
    // The lines leave the current position at the last end.
    Emit(U_EMRMOVETOEX_set(segments_.back()));
    segments_.clear();
}

void EmfWriter::FlushLines() {
    if (polyline_.empty()) return;
    if (polyline_.size() == 1) {
        Emit(U_EMRLINETO_set(polyline_[0]));
    } else if (AllFit16(polyline_)) {
        // Runs of lines as one record of 16-bit points: a quarter of the size.
        const std::vector<U_POINT16> points = To16(polyline_);
        Emit(U_EMRPOLYLINETO16_set(BoundsOf(polyline_), uint32_t(points.size()), points.data()));
    } else {
        Emit(U_EMRPOLYLINETO_set(BoundsOf(polyline_), uint32_t(polyline_.size()),
                                 polyline_.data()));
    }
    polyline_.clear();
}

void EmfWriter::SelectPen(const TPen& pen) {
    const uint32_t slot = FreeSlot(1, penSlot_);
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
    const uint32_t slot = FreeSlot(3, brushSlot_);
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
    const uint32_t slot = FreeSlot(5, fontSlot_);
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

    const std::vector<PictureOp>& ops = picture_.Ops();
    out_.Bytes().reserve(ops.size() * 24 + 4096);
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const PictureOp& op = ops[i];
        // A move followed by a single line is a separate segment.
        const bool pair = op.Kind == OpKind::MoveTo && i + 1 < ops.size() &&
                          ops[i + 1].Kind == OpKind::LineTo &&
                          (i + 2 >= ops.size() || ops[i + 2].Kind != OpKind::LineTo);
        if (pair) {
            FlushLines();
            segments_.push_back(U_POINTL{op.A, op.B});
            segments_.push_back(U_POINTL{ops[i + 1].A, ops[i + 1].B});
            ++i;
            continue;
        }
        FlushSegments();
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
                for (std::uint32_t k = 0; k < op.Count; ++k) points.push_back(U_POINTL{p[k].x, p[k].y});
                if (AllFit16(points)) {
                    const std::vector<U_POINT16> small = To16(points);
                    Emit(U_EMRPOLYGON16_set(BoundsOf(points), op.Count, small.data()));
                } else {
                    Emit(U_EMRPOLYGON_set(BoundsOf(points), op.Count, points.data()));
                }
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
    FlushSegments();
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
    // Lines from the current position, drawn as one polyline.
    void FlushLines();
    std::vector<U_POINT16> run_;
    U_POINT16 position_{0, 0};

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

void WmfWriter::FlushLines() {
    if (run_.empty()) return;
    if (run_.size() == 1) {
        Emit(U_WMRLINETO_set(run_[0]));
    } else {
        // A polyline does not move the current position: a move follows.
        std::vector<U_POINT16> points{position_};
        points.insert(points.end(), run_.begin(), run_.end());
        Emit(U_WMRPOLYLINE_set(uint16_t(points.size()), points.data()));
        Emit(U_WMRMOVETO_set(run_.back()));
    }
    position_ = run_.back();
    run_.clear();
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

    bytes.reserve(picture_.Ops().size() * 16 + 4096);
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
        // A polyline holds at most 16-bit many points.
        if (op.Kind != OpKind::LineTo || run_.size() >= 8000) FlushLines();
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
                position_ = Point(op.A, op.B);
                Emit(U_WMRMOVETO_set(position_));
                break;
            case OpKind::LineTo:
                if (pen.Style != PenStyle::psSolid) BackgroundMode(U_TRANSPARENT);
                run_.push_back(Point(op.A, op.B));
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
    FlushLines();
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
