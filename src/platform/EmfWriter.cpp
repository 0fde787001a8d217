#include "platform/EmfWriter.h"

#include <QString>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/Cp932.h"
#include "platform/DashPattern.h"
#include "platform/MetafileRecords.h"

namespace {

class EmfWriter {
  public:
    explicit EmfWriter(const Picture& picture) : picture_(picture) {}
    std::string Write();

  private:
    // The header record and the starting objects; a record per operation;
    // the end record and the header's counts.
    void WriteHeader();
    void WriteOperations();
    std::string WriteTrailer();
    void Emit(char* record) {
        // libUEMF gives no record when it runs out of memory.
        if (!record) out_.Append(nullptr, 0);
        out_.Append(record, reinterpret_cast<U_EMR*>(record)->nSize);
        std::free(record);
    }
    void FlushLines();
    void FlushSegments();
    // A line of a dashed pen as its dashes, segments of a solid pen: readers
    // draw a pen's own dash style each their own way, or not at all.
    void DashedLine(const PictureOp& op);
    // The pen object for lines (solid where the pen is dashed) or for
    // shapes (its style), made when the other one is selected.
    void UsePenFor(bool lines);
    void CreatePen(const TPen& pen, bool styled);
    void Polygon(const std::vector<U_POINTL>& points);
    void SelectPen(const TPen& pen);
    void SelectBrush(const TBrush& brush);
    // Lines are drawn with no brush selected (some readers fill any path
    // with the brush in effect); shapes with the brush of the picture.
    void UseNoBrush();
    void UseBrush();
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
    bool noBrushInUse_ = false;
    TPen pen_;
    // The pattern of a dashed pen in effect, where the run stands in it,
    // the current position, and whether the selected pen object is the
    // styled one.
    const DashPattern* dashes_ = nullptr;
    int dashPhase_ = 0;
    U_POINTL position_{0, 0};
    bool styledPen_ = false;
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
    // The lines leave the current position at the last end (of a dashed
    // run: at its end, where a gap may be).
    Emit(U_EMRMOVETOEX_set(dashes_ ? position_ : segments_.back()));
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
        Emit(
            U_EMRPOLYLINETO_set(BoundsOf(polyline_), uint32_t(polyline_.size()), polyline_.data()));
    }
    polyline_.clear();
}

void EmfWriter::Polygon(const std::vector<U_POINTL>& points) {
    const U_RECTL bounds = BoundsOf(points);
    const auto count = uint32_t(points.size());
    if (AllFit16(points)) {
        const std::vector<U_POINT16> small = To16(points);
        Emit(U_EMRPOLYGON16_set(bounds, count, small.data()));
    } else {
        Emit(U_EMRPOLYGON_set(bounds, count, points.data()));
    }
}

void EmfWriter::DashedLine(const PictureOp& op) {
    const U_POINTL to{op.A, op.B};
    if (op.Kind == OpKind::MoveTo) {
        position_ = to;
        dashPhase_ = 0;
        return;
    }
    UsePenFor(true);
    const U_POINTL from = position_;
    const std::int64_t dx = std::int64_t(to.x) - from.x, dy = std::int64_t(to.y) - from.y;
    const std::int64_t steps = std::max(std::abs(dx), std::abs(dy));
    // Step k of the line, as the pixels count them along its major axis.
    auto at = [&](std::int64_t k) {
        return U_POINTL{int32_t(from.x + std::llround(double(dx) * double(k) / double(steps))),
                        int32_t(from.y + std::llround(double(dy) * double(k) / double(steps)))};
    };
    dashPhase_ = ForEachDash(*dashes_, dashPhase_, steps, [&](std::int64_t k, std::int64_t end) {
        segments_.push_back(at(k));
        segments_.push_back(at(end));
    });
    position_ = to;
}

void EmfWriter::SelectPen(const TPen& pen) {
    pen_ = pen;
    dashes_ = DashPatternOf(pen.Style);
    dashPhase_ = 0;
    // Lines come first: a dashed pen is made solid for its dashes.
    CreatePen(pen, !dashes_);
}

void EmfWriter::UsePenFor(bool lines) {
    const bool styled = !(lines && dashes_);
    if (styled != styledPen_) CreatePen(pen_, styled);
}

void EmfWriter::CreatePen(const TPen& pen, bool styled) {
    styledPen_ = styled;
    const uint32_t slot = FreeSlot(1, penSlot_);
    if (!styled) {
        // The dashes' solid pen: as wide as the pixels, flat at the ends.
        PU_EXTLOGPEN elp = extlogpen_set(
            U_PS_GEOMETRIC | U_PS_SOLID | U_PS_ENDCAP_FLAT | U_PS_JOIN_MITER,
            uint32_t(std::max(pen.Width, 1)), U_BS_SOLID, ColorRef(pen.Color), 0, 0, nullptr);
        char* record = elp ? U_EMREXTCREATEPEN_set(slot, nullptr, 0, nullptr, elp) : nullptr;
        std::free(elp);
        Emit(record);
    } else if (DashPatternOf(pen.Style)) {
        // Readers draw the dashes of a cosmetic pen a pixel or two long, or
        // not at all; a geometric pen with the style shows them everywhere.
        PU_EXTLOGPEN elp = extlogpen_set(
            U_PS_GEOMETRIC | PenStyleOf(pen.Style) | U_PS_ENDCAP_FLAT | U_PS_JOIN_MITER,
            uint32_t(std::max(pen.Width, 1)), U_BS_SOLID, ColorRef(pen.Color), 0, 0, nullptr);
        char* record = elp ? U_EMREXTCREATEPEN_set(slot, nullptr, 0, nullptr, elp) : nullptr;
        std::free(elp);
        Emit(record);
    } else {
        U_POINT width{std::max(pen.Width, 0), 0};
        Emit(U_EMRCREATEPEN_set(slot,
                                logpen_set(PenStyleOf(pen.Style), width, ColorRef(pen.Color))));
    }
    Emit(U_EMRSELECTOBJECT_set(slot));
    if (penSlot_) Emit(U_EMRDELETEOBJECT_set(penSlot_));
    penSlot_ = slot;
}

void EmfWriter::UseNoBrush() {
    if (noBrushInUse_ || brushSlot_ == 0) return;
    Emit(U_EMRSELECTOBJECT_set(U_NULL_BRUSH));
    noBrushInUse_ = true;
}

void EmfWriter::UseBrush() {
    if (!noBrushInUse_) return;
    Emit(U_EMRSELECTOBJECT_set(brushSlot_));
    noBrushInUse_ = false;
}

void EmfWriter::SelectBrush(const TBrush& brush) {
    noBrushInUse_ = false;
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
    U_LOGFONT lf =
        logfont_set(font.Height, 0, font.Escapement, font.Escapement, font.Weight, font.Italic,
                    font.Underline, font.StrikeOut, font.CharSet, U_OUT_DEFAULT_PRECIS,
                    U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY, U_DEFAULT_PITCH, face);
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
    WriteHeader();
    WriteOperations();
    return WriteTrailer();
}

void EmfWriter::WriteHeader() {
    const int w = std::max(picture_.Width(), 1), h = std::max(picture_.Height(), 1);
    // The reference device: a screen of 1920 x 1080 pixels at 96 dpi.
    const U_SIZEL device{1920, 1080};
    const U_SIZEL millimetres{1920 * 254 / (kMetafileDpi * 10), 1080 * 254 / (kMetafileDpi * 10)};
    const U_RECTL bounds{0, 0, w - 1, h - 1};
    // Frame: the pixel size in hundredths of a millimetre, inclusive.
    const U_RECTL frame{0, 0, int32_t(std::lround(w * 2540.0 / kMetafileDpi)) - 1,
                        int32_t(std::lround(h * 2540.0 / kMetafileDpi)) - 1};
    uint16_t description[] = {'K', 'u', 'r', 'v', 'o', 0, 'g', 'r', 'a', 'p', 'h', 0, 0};
    Emit(U_EMRHEADER_set(bounds, frame, nullptr, 13, description, device, millimetres, 0));
    Emit(U_EMRSETBKMODE_set(U_TRANSPARENT));
    Emit(U_EMRSETTEXTALIGN_set(U_TA_TOP | U_TA_LEFT | U_TA_NOUPDATECP));
    SelectPen(TPen{});
    SelectBrush(TBrush{});
    SelectFont(TLogFont{});
}

void EmfWriter::WriteOperations() {
    const std::vector<PictureOp>& ops = picture_.Ops();
    out_.Bytes().reserve(ops.size() * 24 + 4096);
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const PictureOp& op = ops[i];
        if (dashes_ && (op.Kind == OpKind::MoveTo || op.Kind == OpKind::LineTo)) {
            UseNoBrush();
            DashedLine(op);
            continue;
        }
        // A move followed by a single line is a separate segment.
        const bool pair = op.Kind == OpKind::MoveTo && i + 1 < ops.size() &&
                          ops[i + 1].Kind == OpKind::LineTo &&
                          (i + 2 >= ops.size() || ops[i + 2].Kind != OpKind::LineTo);
        if (pair) {
            FlushLines();
            UseNoBrush();
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
                UseNoBrush();
                Emit(U_EMRMOVETOEX_set(U_POINTL{op.A, op.B}));
                break;
            case OpKind::LineTo:
                UseNoBrush();
                polyline_.push_back(U_POINTL{op.A, op.B});
                break;
            case OpKind::Rectangle:
                UsePenFor(false);
                UseBrush();
                if (pen_.Width > 1) {
                    Polygon(BoxOutline(op));
                } else {
                    Emit(U_EMRRECTANGLE_set(U_RECTL{op.A, op.B, op.C, op.D}));
                }
                break;
            case OpKind::Ellipse:
                UsePenFor(false);
                UseBrush();
                Emit(U_EMRELLIPSE_set(U_RECTL{op.A, op.B, op.C, op.D}));
                break;
            case OpKind::Polygon: {
                UsePenFor(false);
                UseBrush();
                const PixelPoint* p = picture_.PointsOf(op);
                std::vector<U_POINTL> points;
                for (std::uint32_t k = 0; k < op.Count; ++k)
                    points.push_back(U_POINTL{p[k].x, p[k].y});
                Polygon(points);
                break;
            }
            case OpKind::FillRect:
                // A rectangle without outline covers (l, t) to (r - 1, b - 1)
                // once its box is one pixel larger.
                UseBrush();
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
}

std::string EmfWriter::WriteTrailer() {
    EMFTRACK track{};
    Emit(U_EMREOF_set(0, nullptr, &track));

    std::string& bytes = out_.Bytes();
    PutU32(bytes, 48, uint32_t(bytes.size()));    // nBytes
    PutU32(bytes, 52, uint32_t(out_.Records()));  // nRecords
    PutU16(bytes, 56, 7);                         // nHandles: six slots and the zeroth
    return bytes;
}

}  // namespace

std::string EmfBytes(const Picture& picture) {
    return EmfWriter(picture).Write();
}
