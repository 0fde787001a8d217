#include "platform/WmfWriter.h"

#include <QString>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/Cp932.h"
#include "platform/DashPattern.h"
#include "platform/MetafileRecords.h"
#include "platform/Raster.h"

namespace {

class WmfWriter {
  public:
    explicit WmfWriter(const Picture& picture) : picture_(picture) {}
    ~WmfWriter() {
        if (handles_) wmf_htable_free(&handles_);
    }
    std::string Write();

  private:
    // The placeable header, the metafile header and the starting objects;
    // a record per operation; the end record and the header's sizes.
    void WriteHeader();
    void WriteOperations();
    std::string WriteTrailer();
    std::size_t header_ = 0;  // where the metafile header starts
    void Emit(char* record) {
        // libUEMF gives no record when it runs out of memory.
        if (!record) out_.Append(nullptr, 0);
        const uint32_t words =
            reinterpret_cast<U_METARECORD*>(record)->Size16_4[0] |
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
    // Lines are drawn with the empty brush selected (some readers fill any
    // path with the brush in effect); shapes with the brush of the picture.
    // Fills are rectangles with the empty pen: a pattern blit is drawn
    // black by some readers.
    void UseNoBrush();
    void UseBrush();
    void FillBox(int left, int top, int right, int bottom);
    // Lines from the current position, drawn as one polyline.
    void FlushLines();
    // A line of a dashed pen, drawn as its dashes with a solid pen: the
    // format has no pen whose dashes every reader draws.
    void DashedLine(PixelPoint from, PixelPoint to);
    const DashPattern* dashes_ = nullptr;
    int dashPhase_ = 0;
    PixelPoint pixelPosition_;
    std::vector<U_POINT16> run_;
    U_POINT16 position_{0, 0};

    const Picture& picture_;
    RecordBuffer out_;
    WMFHANDLES* handles_ = nullptr;
    double scale_ = 2540.0 / kMetafileDpi;
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
    uint32_t noPen_ = 0, noBrush_ = 0;
    bool noBrushInUse_ = false;
};

void WmfWriter::UseNoBrush() {
    if (noBrushInUse_) return;
    Emit(wselectobject_set(noBrush_, handles_));
    noBrushInUse_ = true;
}

void WmfWriter::UseBrush() {
    if (!noBrushInUse_) return;
    Emit(wselectobject_set(brush_, handles_));
    noBrushInUse_ = false;
}

// A rectangle with no outline covers (l, t) to (r - 1, b - 1) once its box
// is one pixel larger.
void WmfWriter::FillBox(int left, int top, int right, int bottom) {
    UseBrush();
    BackgroundMode(U_OPAQUE);
    Emit(wselectobject_set(noPen_, handles_));
    Emit(U_WMRRECTANGLE_set(U_RECT16{Unit(left), Unit(top), Unit(right + 1), Unit(bottom + 1)}));
    Emit(wselectobject_set(pen_, handles_));
}

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

void WmfWriter::DashedLine(PixelPoint from, PixelPoint to) {
    const LineSteps line(from, to);
    if (line.steps == 0) return;
    bool atEnd = false;
    dashPhase_ =
        ForEachDash(*dashes_, dashPhase_, line.steps, [&](std::int64_t first, std::int64_t end) {
            std::int64_t x0, y0, x1, y1;
            line.At(first, x0, y0);
            line.At(end, x1, y1);
            Emit(U_WMRMOVETO_set(Point(int(x0), int(y0))));
            Emit(U_WMRLINETO_set(Point(int(x1), int(y1))));
            atEnd = end == line.steps;
        });
    // The next line starts where this one ends.
    if (!atEnd) Emit(U_WMRMOVETO_set(Point(to.x, to.y)));
    position_ = Point(to.x, to.y);
}

void WmfWriter::SelectPen(const TPen& pen) {
    uint32_t made = 0;
    const uint16_t width = uint16_t(std::clamp(std::lround(pen.Width * scale_), 0L, 32767L));
    const PenStyle style = DashPatternOf(pen.Style) ? PenStyle::psSolid : pen.Style;
    char* record = wcreatepenindirect_set(
        &made, handles_, U_PEN_set(uint16_t(PenStyleOf(style)), width, ColorRef(pen.Color)));
    Replace(pen_, record, made);
}

void WmfWriter::SelectBrush(const TBrush& brush) {
    uint32_t made = 0;
    const uint16_t style = brush.Style == BrushStyle::bsClear ? U_BS_NULL : U_BS_SOLID;
    char* record =
        wcreatebrushindirect_set(&made, handles_, U_WLOGBRUSH_set(style, ColorRef(brush.Color), 0));
    Replace(brush_, record, made);
    noBrushInUse_ = false;
}

void WmfWriter::SelectFont(const TLogFont& font) {
    font_ = font;
    // The face name in CP932, never cut inside a character.
    const auto face = Utf8ToCp932(font.FaceName);
    std::string name(Cp932Prefix(face ? *face : std::string("MS UI Gothic"), 31));
    std::vector<char> faceName(name.begin(), name.end());
    faceName.push_back(0);
    U_FONT* uf =
        U_FONT_set(int16_t(Unit(font.Height)), 0, int16_t(font.Escapement),
                   int16_t(font.Escapement), int16_t(font.Weight), font.Italic, font.Underline,
                   font.StrikeOut, U_SHIFTJIS_CHARSET, U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS,
                   U_DEFAULT_QUALITY, U_DEFAULT_PITCH, faceName.data());
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
    WriteHeader();
    WriteOperations();
    return WriteTrailer();
}

void WmfWriter::WriteHeader() {
    const int w = std::max(picture_.Width(), 1), h = std::max(picture_.Height(), 1);
    // Units must fit 16 bits: a very large picture gets coarser units.
    const double largest = std::max(w, h) * 2540.0 / kMetafileDpi;
    int unitsPerInch = 2540;
    if (largest > 32000) {
        unitsPerInch = int(2540 * 32000 / largest);
        scale_ = double(unitsPerInch) / kMetafileDpi;
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
    header_ = bytes.size();
    bytes.append(18, '\0');
    PutU16(bytes, header_ + 0, 1);       // type: on disk
    PutU16(bytes, header_ + 2, 9);       // header size in words
    PutU16(bytes, header_ + 4, 0x0300);  // version

    bytes.reserve(picture_.Ops().size() * 16 + 4096);
    wmf_htable_create(32, 32, &handles_);
    Emit(U_WMRSETWINDOWORG_set(U_POINT16{0, 0}));
    Emit(U_WMRSETWINDOWEXT_set(U_POINT16{right, bottom}));
    BackgroundMode(U_TRANSPARENT);
    Emit(U_WMRSETTEXTALIGN_set(U_TA_TOP | U_TA_LEFT | U_TA_NOUPDATECP));
    // The empty pen and brush, kept to the end: the format has no stock
    // objects.
    Emit(wcreatepenindirect_set(&noPen_, handles_, U_PEN_set(U_PS_NULL, 0, U_RGB(0, 0, 0))));
    Emit(wcreatebrushindirect_set(&noBrush_, handles_,
                                  U_WLOGBRUSH_set(U_BS_NULL, U_RGB(0, 0, 0), 0)));
    SelectPen(TPen{});
    SelectBrush(TBrush{});
    SelectFont(TLogFont{});
}

void WmfWriter::WriteOperations() {
    TBrush brush;
    TPen pen;
    for (const PictureOp& op : picture_.Ops()) {
        // A polyline holds at most 16-bit many points.
        if (op.Kind != OpKind::LineTo || run_.size() >= 8000) FlushLines();
        switch (op.Kind) {
            case OpKind::Pen:
                pen = picture_.PenOf(op);
                SelectPen(pen);
                dashes_ = DashPatternOf(pen.Style);
                dashPhase_ = 0;
                break;
            case OpKind::Brush:
                brush = picture_.BrushOf(op);
                SelectBrush(brush);
                break;
            case OpKind::Font:
                SelectFont(picture_.FontOf(op));
                break;
            case OpKind::MoveTo:
                UseNoBrush();
                pixelPosition_ = {op.A, op.B};
                dashPhase_ = 0;
                position_ = Point(op.A, op.B);
                Emit(U_WMRMOVETO_set(position_));
                break;
            case OpKind::LineTo:
                UseNoBrush();
                if (dashes_) {
                    DashedLine(pixelPosition_, {op.A, op.B});
                } else {
                    run_.push_back(Point(op.A, op.B));
                }
                pixelPosition_ = {op.A, op.B};
                break;
            case OpKind::Rectangle:
                UseBrush();
                BackgroundMode(U_OPAQUE);
                if (pen.Width > 1) {
                    std::vector<U_POINT16> corners;
                    for (const U_POINTL& p : BoxOutline(op)) corners.push_back(Point(p.x, p.y));
                    Emit(U_WMRPOLYGON_set(4, corners.data()));
                } else {
                    Emit(U_WMRRECTANGLE_set(
                        U_RECT16{Unit(op.A), Unit(op.B), Unit(op.C), Unit(op.D)}));
                }
                break;
            case OpKind::Ellipse:
                UseBrush();
                BackgroundMode(U_OPAQUE);
                Emit(U_WMRELLIPSE_set(U_RECT16{Unit(op.A), Unit(op.B), Unit(op.C), Unit(op.D)}));
                break;
            case OpKind::Polygon: {
                UseBrush();
                BackgroundMode(U_OPAQUE);
                const PixelPoint* p = picture_.PointsOf(op);
                std::vector<U_POINT16> points;
                for (std::uint32_t i = 0; i < op.Count; ++i)
                    points.push_back(Point(p[i].x, p[i].y));
                Emit(U_WMRPOLYGON_set(uint16_t(points.size()), points.data()));
                break;
            }
            case OpKind::FillRect:
                if (brush.Style == BrushStyle::bsClear) break;
                FillBox(op.A, op.B, op.C, op.D);
                break;
            case OpKind::TextOut:
                BackgroundMode(U_TRANSPARENT);
                Text(op.A, op.B, picture_.TextOf(op));
                break;
        }
    }
    FlushLines();
}

std::string WmfWriter::WriteTrailer() {
    Emit(U_WMREOF_set());
    const uint32_t objects = handles_->peak + 1;
    wmf_htable_free(&handles_);
    handles_ = nullptr;

    std::string& bytes = out_.Bytes();
    const uint32_t words = uint32_t((bytes.size() - header_) / 2);
    PutU32(bytes, header_ + 6, words);                          // size in words
    PutU16(bytes, header_ + 10, uint16_t(objects));             // number of objects
    PutU32(bytes, header_ + 12, uint32_t(out_.Largest() / 2));  // largest record, words
    PutU16(bytes, header_ + 16, 0);                             // unused
    return bytes;
}

}  // namespace

std::string WmfBytes(const Picture& picture) {
    return WmfWriter(picture).Write();
}
