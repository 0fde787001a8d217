#include "platform/SvgWriter.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/DashPattern.h"
#include "platform/FontSubstitution.h"

namespace {

// Coordinates to a hundredth of a pixel (a quarter of a micrometre at
// 96 dpi), without trailing zeros.
void Number(std::string& out, double v) {
    char buffer[32];
    const double hundredths = std::round(v * 100);
    std::snprintf(buffer, sizeof buffer, "%.2f", hundredths == 0 ? 0.0 : hundredths / 100);
    std::size_t length = std::strlen(buffer);
    while (buffer[length - 1] == '0') --length;
    if (buffer[length - 1] == '.') --length;
    out.append(buffer, length);
}

std::string Hex(TColor color) {
    const TColor c = ResolveColor(color);
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", unsigned(c & 0xFF),
                  unsigned((c >> 8) & 0xFF), unsigned((c >> 16) & 0xFF));
    return buffer;
}

void Escaped(std::string& out, const std::string& text) {
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                // Control characters are not allowed in XML 1.0.
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out += c;
        }
    }
}

// The generic family a face falls back to where neither it nor its
// substitute is installed.
const char* GenericFamily(const QString& face) {
    const QString f = face.toLower();
    if (f.contains("mono") || f.contains("courier") || f.contains("fixed")) return "monospace";
    if (f.contains("sans") || f.contains("gothic") || f.contains("arial") ||
        f.contains("helvetica") || f.contains("ゴシック"))
        return "sans-serif";
    if (f.contains("serif") || f.contains("times") || f.contains("mincho") || f.contains("明朝") ||
        f.contains("roman"))
        return "serif";
    return "sans-serif";
}

class SvgWriter {
  public:
    explicit SvgWriter(const Picture& picture) : picture_(picture) {}
    std::string Write();

  private:
    void FlushRun();
    void Stroke(std::string& out);  // the pen's stroke attributes
    void Fill(std::string& out);    // the brush's fill attribute
    void Shape(const PictureOp& op);
    // The element of a shape moved by (dx, dy).
    void ShapeElement(std::string& out, const PictureOp& op, double dx, double dy);
    void Text(const PictureOp& op);

    const Picture& picture_;
    std::string out_;
    TPen pen_;
    TBrush brush_;
    TLogFont font_;
    // Where the points lie exactly.
    std::array<double, 2> position_{};
    std::vector<std::array<double, 2>> run_;
    // Marks repeat by the thousand: each is defined once and used where it
    // stands.
    std::unordered_map<std::string, std::size_t> marks_;
};

void SvgWriter::Stroke(std::string& out) {
    if (pen_.Style == PenStyle::psClear) {
        out += " stroke=\"none\"";
        return;
    }
    out += " stroke=\"" + Hex(pen_.Color) + "\" stroke-width=\"";
    Number(out, SmoothWidth(pen_));
    out += "\"";
    if (const DashPattern* dashes = DashPatternOf(pen_.Style)) {
        out += " stroke-dasharray=\"";
        for (int i = 0; i < dashes->count; ++i) {
            if (i) out += ' ';
            Number(out, dashes->lengths[i]);
        }
        out += "\"";
    }
}

void SvgWriter::Fill(std::string& out) {
    out += brush_.Style == BrushStyle::bsClear ? " fill=\"none\""
                                               : " fill=\"" + Hex(brush_.Color) + "\"";
}

void SvgWriter::FlushRun() {
    if (run_.size() >= 2 && pen_.Style != PenStyle::psClear) {
        const double o = StrokeOffset(pen_);
        out_ += "<polyline points=\"";
        for (std::size_t i = 0; i < run_.size(); ++i) {
            if (i) out_ += ' ';
            Number(out_, run_[i][0] + o);
            out_ += ',';
            Number(out_, run_[i][1] + o);
        }
        out_ += "\" fill=\"none\"";
        Stroke(out_);
        out_ += "/>\n";
    }
    run_.clear();
}

// Where the pixel rules paint: a box's outline on its columns l and r - 1
// and rows t and b - 1, so the stroke runs through their centres.
void SvgWriter::ShapeElement(std::string& out, const PictureOp& op, double dx, double dy) {
    const double o = StrokeOffset(pen_);
    if (op.Kind == OpKind::Polygon) {
        const PixelPoint* points = picture_.PointsOf(op);
        out += "<polygon points=\"";
        for (std::uint32_t i = 0; i < op.Count; ++i) {
            if (i) out += ' ';
            Number(out, points[i].x + dx + o);
            out += ',';
            Number(out, points[i].y + dy + o);
        }
        out += "\"";
    } else {
        const int w = op.C - op.A - 1, h = op.D - op.B - 1;
        if (op.Kind == OpKind::Rectangle) {
            out += "<rect x=\"";
            Number(out, op.A + dx + o);
            out += "\" y=\"";
            Number(out, op.B + dy + o);
            out += "\" width=\"";
            Number(out, w);
            out += "\" height=\"";
            Number(out, h);
        } else {
            out += "<ellipse cx=\"";
            Number(out, op.A + dx + o + w / 2.0);
            out += "\" cy=\"";
            Number(out, op.B + dy + o + h / 2.0);
            out += "\" rx=\"";
            Number(out, w / 2.0);
            out += "\" ry=\"";
            Number(out, h / 2.0);
        }
        out += "\"";
    }
    Fill(out);
    Stroke(out);
    out += "/>";
}

void SvgWriter::Shape(const PictureOp& op) {
    PixelRect box;
    if (!picture_.ShapeBounds(op, box)) return;
    if (op.Kind != OpKind::Polygon && (op.C - op.A < 1 || op.D - op.B < 1)) return;
    const int left = box.Left, top = box.Top, right = box.Right, bottom = box.Bottom;
    constexpr int kMaxMark = 64;
    if (right - left > kMaxMark || bottom - top > kMaxMark) {
        ShapeElement(out_, op, op.Exact.x, op.Exact.y);
        out_ += '\n';
        return;
    }
    std::string element;
    ShapeElement(element, op, -left, -top);
    const auto [mark, added] = marks_.emplace(std::move(element), marks_.size());
    // Appended, not "m" + text: GCC 12 warns wrongly (-Wrestrict) on a
    // literal added to a temporary string.
    std::string id = "m";
    id += std::to_string(mark->second);
    if (added) out_ += "<defs><g id=\"" + id + "\">" + mark->first + "</g></defs>\n";
    out_ += "<use xlink:href=\"#" + id + "\" x=\"";
    Number(out_, left + double(op.Exact.x));
    out_ += "\" y=\"";
    Number(out_, top + double(op.Exact.y));
    out_ += "\"/>\n";
}

// Text as text in the fonts it was measured with, the face the user chose
// and a generic family; hung from the top-left corner of its first cell
// and turned about it.
void SvgWriter::Text(const PictureOp& op) {
    const std::string& text = picture_.TextOf(op);
    if (text.empty()) return;
    const QFont qfont = MakeQFont(font_);
    const QString substitute = SubstituteFace(font_.FaceName);
    out_ += "<text x=\"";
    Number(out_, op.A);
    out_ += "\" y=\"";
    // At its true point size, hung from the same corner.
    const double scale = PointSizeScale(font_);
    Number(out_, op.B + QFontMetrics(qfont).ascent() * scale);
    out_ += "\"";
    if (font_.Escapement != 0) {
        out_ += " transform=\"rotate(";
        Number(out_, -font_.Escapement / 10.0);
        out_ += ' ';
        Number(out_, op.A);
        out_ += ' ';
        Number(out_, op.B);
        out_ += ")\"";
    }
    // The fonts the text was measured with here first (the face's
    // substitute and those Qt falls back to for characters it lacks,
    // Japanese in a Latin face), so that readers place every run where it
    // was measured; then the face the user chose, then a generic family.
    std::vector<std::string> families{substitute.toStdString()};
    QTextLayout layout(QString::fromStdString(text), qfont);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns())
        families.push_back(run.rawFont().familyName().toStdString());
    families.push_back(font_.FaceName);
    out_ += " font-family=\"";
    for (std::size_t i = 0; i < families.size(); ++i) {
        if (families[i].empty() || std::find(families.begin(), families.begin() + long(i),
                                             families[i]) != families.begin() + long(i))
            continue;
        out_ += "'";
        Escaped(out_, families[i]);
        out_ += "', ";
    }
    out_ += std::string(GenericFamily(substitute)) + "\" font-size=\"";
    Number(out_, qfont.pixelSize() * scale);
    out_ += "px\"";
    if (qfont.weight() >= QFont::DemiBold) out_ += " font-weight=\"bold\"";
    if (font_.Italic) out_ += " font-style=\"italic\"";
    if (font_.Underline || font_.StrikeOut)
        out_ += std::string(" text-decoration=\"") + (font_.Underline ? "underline" : "") +
                (font_.Underline && font_.StrikeOut ? " " : "") +
                (font_.StrikeOut ? "line-through" : "") + "\"";
    // The width the graph was laid out with: a reader whose fallback font
    // for some characters is wider still puts the next run where it belongs.
    const double width =
        QFontMetricsF(qfont).horizontalAdvance(QString::fromStdString(text)) * scale;
    if (width > 0) {
        out_ += " textLength=\"";
        Number(out_, width);
        out_ += "\" lengthAdjust=\"spacingAndGlyphs\"";
    }
    out_ += " fill=\"" + Hex(font_.Color) + "\" xml:space=\"preserve\">";
    // East Asian and other characters in runs of their own, each where the
    // layout here puts it: readers that set a whole run in one fallback
    // font (with its own Latin widths) keep the runs apart.
    const QString q = QString::fromStdString(text);
    const QFontMetricsF metrics(qfont);
    auto wide = [](QChar c) { return c.unicode() >= 0x2E80 || c.isSurrogate(); };
    qsizetype start = 0;
    for (qsizetype i = 1; i <= q.size(); ++i) {
        if (i < q.size() && wide(q[i]) == wide(q[i - 1])) continue;
        if (start == 0 && i == q.size()) {
            Escaped(out_, text);
            break;
        }
        out_ += "<tspan x=\"";
        Number(out_, op.A + metrics.horizontalAdvance(q.left(start)) * scale);
        out_ += "\">";
        Escaped(out_, q.mid(start, i - start).toStdString());
        out_ += "</tspan>";
        start = i;
    }
    out_ += "</text>\n";
}

std::string SvgWriter::Write() {
    std::string w, h;
    Number(w, std::max(picture_.ExactWidth(), 1.0));
    Number(h, std::max(picture_.ExactHeight(), 1.0));
    out_ =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"" +
        w + "px\" height=\"" + h + "px\" viewBox=\"0 0 " + w + " " + h +
        "\">\n<title>Kurvo</title>\n" +
        // The background is transparent, and texts have no box of their own.
        "<g stroke-linecap=\"butt\" stroke-linejoin=\"miter\">\n";
    for (const PictureOp& op : picture_.Ops()) {
        if (op.Kind != OpKind::LineTo) FlushRun();
        switch (op.Kind) {
            case OpKind::Pen:
                pen_ = picture_.PenOf(op);
                break;
            case OpKind::Brush:
                brush_ = picture_.BrushOf(op);
                break;
            case OpKind::Font:
                font_ = picture_.FontOf(op);
                break;
            case OpKind::MoveTo:
                position_ = {op.A + double(op.Exact.x), op.B + double(op.Exact.y)};
                break;
            case OpKind::LineTo:
                if (run_.empty()) run_.push_back(position_);
                position_ = {op.A + double(op.Exact.x), op.B + double(op.Exact.y)};
                run_.push_back(position_);
                break;
            case OpKind::Rectangle:
            case OpKind::Ellipse:
            case OpKind::Polygon:
                Shape(op);
                break;
            case OpKind::FillRect:
                if (brush_.Style == BrushStyle::bsClear || op.C <= op.A || op.D <= op.B ||
                    op.Backdrop)
                    break;
                out_ += "<rect x=\"" + std::to_string(op.A) + "\" y=\"" + std::to_string(op.B) +
                        "\" width=\"" + std::to_string(op.C - op.A) + "\" height=\"" +
                        std::to_string(op.D - op.B) + "\"";
                Fill(out_);
                out_ += "/>\n";
                break;
            case OpKind::TextOut:
                Text(op);
                break;
        }
    }
    FlushRun();
    out_ += "</g>\n</svg>\n";
    return std::move(out_);
}

}  // namespace

QByteArray SvgBytes(const Picture& picture) {
    const std::string svg = SvgWriter(picture).Write();
    return QByteArray(svg.data(), qsizetype(svg.size()));
}
