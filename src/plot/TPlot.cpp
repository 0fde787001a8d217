#include "plot/TPlot.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <numeric>
#include <unordered_map>

#include "platform/Canvas.h"
#include "platform/PolylineReducer.h"
#include "plot/PlotNames.h"

TPlot::TPlot() {
    X.assign(1, 0.0);
    Y.assign(1, 0.0);
}

void TPlot::SetCount(int n) {
    count_ = std::max(n, 0);
    X.assign(std::size_t(count_), 0.0);
    Y.assign(std::size_t(count_), 0.0);
}

void TPlot::SetPoints(PointColumn x, PointColumn y) {
    const std::size_t n = std::min(x.size(), y.size());
    x.resize(n);
    y.resize(n);
    count_ = int(n);
    X = std::move(x);
    Y = std::move(y);
}

namespace {

double LogOf(AxisMapping::Kind kind, double v) {
    return kind == AxisMapping::Kind::Ln ? std::log(v) : std::log10(v);
}

// Only an exact 0 is replaced; DataToPixel guards every value not above 0.
double Scale(AxisMapping::Kind kind, double v) {
    if (!IsLogAxis(kind)) return v;
    return v == 0 ? 0 : LogOf(kind, v);
}

double Unscale(AxisKind kind, double v) {
    if (kind == AxisKind::Log10) return std::pow(10.0, v);
    if (kind == AxisKind::Ln) return std::exp(v);
    return v;
}

}  // namespace

double TPlot::ScaleX(double v) const {
    return Scale(Xtype, v);
}

double TPlot::ScaleY(double v) const {
    return Scale(Ytype, v);
}

double TPlot::UnscaleX(double v) const {
    return Unscale(Xtype, v);
}

double TPlot::UnscaleY(double v) const {
    return Unscale(Ytype, v);
}

AxisMapping TPlot::Mapping() const {
    AxisMapping m;
    // A date axis maps its seconds like any linear one.
    m.X = IsLogAxis(Xtype) ? Xtype : AxisKind::Linear;
    m.Y = IsLogAxis(Ytype) ? Ytype : AxisKind::Linear;
    m.Xmin = Xmin;
    m.Xmax = Xmax;
    m.Ymin = Ymin;
    m.Ymax = Ymax;
    m.Xsize = Xsize;
    m.Ysize = Ysize;
    if (m.X != AxisMapping::Kind::Linear) {
        m.LogXmin = LogOf(m.X, Xmin);
        m.LogXmax = LogOf(m.X, Xmax);
    }
    if (m.Y != AxisMapping::Kind::Linear) {
        m.LogYmin = LogOf(m.Y, Ymin);
        m.LogYmax = LogOf(m.Y, Ymax);
    }
    return m;
}

namespace {

// How far an exact position e lies off its pixel; a position clamped into
// the pixel range (far off the plot) lies on it.
float OffPixel(double e, int pixel) {
    const double off = e - pixel;
    return std::abs(off) <= 2 ? float(off) : 0.0f;
}

}  // namespace

PixelPoint AxisMapping::Map(double x, double y, SubPixel* exact) const {
    double px, py;
    if (X != Kind::Linear) {
        // A value that is not positive stands where 1 would.
        const double lx = x > 0 ? LogOf(X, x) : 0.0;
        px = (lx - LogXmin) * Xsize / (LogXmax - LogXmin) + 0.5;
    } else {
        px = (x - Xmin) * Xsize / (Xmax - Xmin) + 0.5;
    }
    if (Y != Kind::Linear) {
        const double ly = y > 0 ? LogOf(Y, y) : 0.0;
        py = Ysize - (ly - LogYmin) * Ysize / (LogYmax - LogYmin) + 0.5;
    } else {
        py = Ysize - (y - Ymin) * Ysize / (Ymax - Ymin) + 0.5;
    }
    const PixelPoint pixel{TruncToPixel(px), TruncToPixel(py)};
    // The pixel is the exact position rounded (half a pixel added, then
    // truncated).
    if (exact) *exact = {OffPixel(px - 0.5, pixel.x), OffPixel(py - 0.5, pixel.y)};
    return pixel;
}

void TPlot::PixelToData(int px, int py, double& x, double& y) const {
    x = UnscaleX((ScaleX(Xmax) - ScaleX(Xmin)) * (double(px) / Xsize) + ScaleX(Xmin));
    y = UnscaleY((ScaleY(Ymax) - ScaleY(Ymin)) * (double(Ysize - py) / Ysize) + ScaleY(Ymin));
}

double TPlot::ColumnToData(int px) const {
    double x, y;
    PixelToData(px, 0, x, y);
    return x;
}

void DrawMark(Canvas& canvas, MarkKind type, int x, int y, int h, TColor color, bool inSample) {
    auto brush = [&](BrushStyle style, TColor c) {
        canvas.Brush.Style = style;
        canvas.Brush.Color = c;
    };
    using enum MarkKind;
    if (type == Maru) {
        if (inSample)
            brush(BrushStyle::bsClear, color);
        else
            brush(BrushStyle::bsSolid, clWhite);
        canvas.Ellipse(x - h, y - h, x + h, y + h);
    } else if (type == Maru2) {
        brush(BrushStyle::bsSolid, color);
        canvas.Ellipse(x - h, y - h, x + h, y + h);
    } else if (type == Shikaku || type == Shikaku2) {
        brush(type == Shikaku ? BrushStyle::bsClear : BrushStyle::bsSolid, color);
        canvas.Rectangle(x - h, y - h, x + h, y + h);
    } else if (type == Sankaku || type == Sankaku2) {
        brush(type == Sankaku ? BrushStyle::bsClear : BrushStyle::bsSolid, color);
        const PixelPoint triangle[3] = {{x, y - h}, {x - h, y + h}, {x + h, y + h}};
        canvas.Polygon(triangle, 3);
    } else if (type == Batsu) {
        // Both strokes end one pixel beyond the box vertically.
        canvas.MoveTo(x - h, y - h);
        canvas.LineTo(x + h, y + h + 1);
        canvas.MoveTo(x - h, y + h);
        canvas.LineTo(x + h, y - h - 1);
    }
}

void TPlot::ClearCurveLayer() {
    CurveLayer.Clear();
    CurveLayer.SetSize(Xsize, Ysize);
}

void TPlot::PlotMark() {
    ClearCurveLayer();
    // No mark: no point need be placed.
    if (MarkType == MarkKind::No) return;
    Canvas canvas(CurveLayer);
    canvas.Pen = TPen{MarkColor, PenStyle::psSolid, 1};
    canvas.Brush.Color = MarkColor;
    const int h = MarkSize / 2;
    // A pass below 0 marks every point, as 0 does.
    const std::int64_t step = std::max<std::int64_t>(1, std::int64_t(MarkPass) + 1);
    const std::int64_t marks = count_ / step;
    const AxisMapping mapping = Mapping();
    // A mark on the pixel of the mark just before is that mark.
    auto eachMark = [&](const auto& visit) {
        PixelPoint before{INT_MIN, INT_MIN};
        for (std::int64_t i = 0; i < marks; ++i) {
            const std::size_t k = std::size_t(i * step);
            if (!HasPoint(k)) continue;  // a missing value has no mark
            SubPixel exact;
            const PixelPoint p = mapping.Map(X[k], Y[k], &exact);
            if (!Inside(p) || p == before) continue;
            before = p;
            visit(k, p, exact);
        }
    };
    // A mark that a later one on its pixel covers is not drawn: the later
    // one is the same shape in the same place, drawn over whatever came
    // between, so the pixels are those of every mark, and ten million
    // points are at most a mark a pixel. The last mark of each pixel, in a
    // table of the plot's pixels (or of the marks, for a huge plot).
    const std::size_t columns = std::size_t(std::max(Xsize, 0)) + 1;
    const std::size_t pixels = columns * (std::size_t(std::max(Ysize, 0)) + 1);
    const bool byTable = pixels <= 4 * std::size_t(std::max<std::int64_t>(marks, 1 << 20));
    std::vector<std::int32_t> lastOfPixel(byTable ? pixels : 0, -1);
    std::unordered_map<std::size_t, std::int32_t> lastOfMark;
    auto last = [&](PixelPoint p) -> std::int32_t& {
        const std::size_t pixel = std::size_t(p.y) * columns + std::size_t(p.x);
        return byTable ? lastOfPixel[pixel] : lastOfMark.try_emplace(pixel, -1).first->second;
    };
    std::size_t drawn = 0;
    eachMark([&](std::size_t k, PixelPoint p, SubPixel) {
        std::int32_t& at = last(p);
        drawn += at < 0;
        at = std::int32_t(k);
    });
    CurveLayer.Reserve(drawn + 4);
    eachMark([&](std::size_t k, PixelPoint p, SubPixel exact) {
        if (last(p) != std::int32_t(k)) return;
        canvas.Exact = exact;
        DrawMark(canvas, MarkType, p.x, p.y, h, MarkColor, false);
    });
}

void TPlot::DrawSample() {
    SamplePicture.Clear();
    SamplePicture.SetSize(Width, Height);
    Canvas canvas(SamplePicture);
    canvas.Pen = LinePen(*this, LineType);
    canvas.MoveTo(5, Height / 2);
    canvas.LineTo(Width - 5, Height / 2);
    canvas.Pen = TPen{MarkColor, PenStyle::psSolid, 1};
    canvas.Brush.Color = MarkColor;
    DrawMark(canvas, MarkType, Width / 2, Height / 2, MarkSize / 2, MarkColor, true);
}

void TPlot::InternalPlotLine(const PixelPoint* points, int n) {
    CurvePoints curve;
    curve.Pixels.assign(points, points + std::max(n, 0));
    curve.Exact.resize(curve.Pixels.size());
    InternalPlotLines(curve);
}

class TPlot::ClippedRuns {
  public:
    ClippedRuns(const TPlot& plot, PolylineReducer& canvas) : plot_(plot), canvas_(canvas) {}
    void Add(PixelPoint p, SubPixel exact) {
        const bool inside = plot_.Inside(p);
        if (inside && !drawing_) {
            if (first_) {
                canvas_.MoveTo(p.x, p.y, exact);
            } else {
                const PixelPoint entry = plot_.ClipToFrame(p, last_);
                canvas_.MoveTo(entry.x, entry.y, Crossing(p, exact, last_, lastExact_, entry));
                canvas_.LineTo(p.x, p.y, exact);
            }
            drawing_ = true;
        } else if (inside) {
            canvas_.LineTo(p.x, p.y, exact);
        } else if (drawing_) {
            const PixelPoint exit = plot_.ClipToFrame(p, last_);
            canvas_.LineTo(exit.x, exit.y, Crossing(last_, lastExact_, p, exact, exit));
            drawing_ = false;
        }
        first_ = false;
        last_ = p;
        lastExact_ = exact;
    }
    void EndRun() {
        first_ = true;
        drawing_ = false;
    }

  private:
    // The exact crossing of the frame, off its pixel.
    SubPixel Crossing(PixelPoint inside, SubPixel insideExact, PixelPoint outside,
                      SubPixel outsideExact, PixelPoint crossing) const {
        const std::array<double, 2> c = plot_.ExactCrossing(
            {inside.x + double(insideExact.x), inside.y + double(insideExact.y)},
            {outside.x + double(outsideExact.x), outside.y + double(outsideExact.y)});
        return {OffPixel(c[0], crossing.x), OffPixel(c[1], crossing.y)};
    }
    const TPlot& plot_;
    PolylineReducer& canvas_;
    bool first_ = true;
    bool drawing_ = false;
    PixelPoint last_{};
    SubPixel lastExact_{};
};

void TPlot::DrawRuns(const std::function<void(ClippedRuns&)>& feed) {
    ClearCurveLayer();
    // No reservation by the number of points: reduced, a million of them
    // are a few thousand operations.
    Canvas canvas(CurveLayer);
    canvas.Pen = LinePen(*this, LineType);
    canvas.Brush.Style = BrushStyle::bsClear;
    PolylineReducer reducer(canvas);
    ClippedRuns runs(*this, reducer);
    feed(runs);
}

void TPlot::ReadPlotLine() {
    // The polyline breaks at a missing value: each run of points that have
    // both values is a polyline of its own.
    const AxisMapping mapping = Mapping();
    DrawRuns([&](ClippedRuns& runs) {
        // An empty run (missing values in a row) draws nothing.
        for (std::size_t i = 0; i < std::size_t(count_); ++i) {
            if (HasPoint(i)) {
                SubPixel exact;
                const PixelPoint p = mapping.Map(X[i], Y[i], &exact);
                runs.Add(p, exact);
            } else {
                runs.EndRun();
            }
        }
    });
}

void TPlot::InternalPlotLines(const CurvePoints& points) {
    DrawRuns([&](ClippedRuns& runs) {
        std::size_t run = 0;
        for (std::size_t i = 0; i < points.Pixels.size(); ++i) {
            for (; run < points.RunEnds.size() && std::size_t(points.RunEnds[run]) <= i; ++run)
                runs.EndRun();
            runs.Add(points.Pixels[i], points.Exact[i]);
        }
    });
}

namespace {

// Where the segment p-q crosses the frame (0, 0)-(xsize, ysize), p or q
// inside; `round` puts a computed coordinate on its pixel, or leaves it.
template <typename Round>
std::array<double, 2> Crossing(std::array<double, 2> p, std::array<double, 2> q, int xsize,
                               int ysize, Round round) {
    auto inside = [&](const std::array<double, 2>& a) {
        return a[0] >= 0 && a[0] <= xsize && a[1] >= 0 && a[1] <= ysize;
    };
    // R has the larger x; with equal x, R is p.
    const std::array<double, 2> r = q[0] > p[0] ? q : p;
    const std::array<double, 2> l = q[0] > p[0] ? p : q;
    const double lx = l[0], ly = l[1], rx = r[0], ry = r[1];
    bool found = false;
    std::array<double, 2> c{};
    if ((ly > ysize || ry > ysize) && ry != ly) {
        c = {round(lx + (ysize - ly) / (ry - ly) * (rx - lx)), double(ysize)};
        found = true;
    } else if ((ly < 0 || ry < 0) && ry != ly) {
        c = {round(lx + (0 - ly) / (ry - ly) * (rx - lx)), 0.0};
        found = true;
    }
    if (found && c[0] >= 0 && c[0] <= xsize) return c;
    if (rx == lx) return inside(p) ? p : q;
    if (rx > xsize || (found && c[0] > xsize))
        return {double(xsize), round(ly + (ry - ly) * (xsize - lx) / (rx - lx))};
    return {0.0, round(ry + (ly - ry) * (0 - rx) / (lx - rx))};
}

}  // namespace

PixelPoint TPlot::ClipToFrame(PixelPoint p, PixelPoint q) const {
    const auto c = Crossing({double(p.x), double(p.y)}, {double(q.x), double(q.y)}, Xsize, Ysize,
                            [](double v) { return double(TruncToPixel(v)); });
    return {int(c[0]), int(c[1])};
}

std::array<double, 2> TPlot::ExactCrossing(std::array<double, 2> p, std::array<double, 2> q) const {
    return Crossing(p, q, Xsize, Ysize, [](double v) { return v; });
}

void TPlot::DropMissingPoints() {
    KeepPoints([this](std::size_t i) { return HasPoint(i); });
}

void TPlot::KeepPoints(const std::function<bool(std::size_t)>& keep) {
    // The errors stay with their points.
    PointColumn* columns[] = {&X, &Y, &ErrorsX.Minus, &ErrorsX.Plus, &ErrorsY.Minus, &ErrorsY.Plus};
    std::vector<bool> kept(static_cast<std::size_t>(count_));
    std::size_t firstDropped = kept.size();
    for (std::size_t i = 0; i < kept.size(); ++i) {
        kept[i] = keep(i);
        if (!kept[i] && firstDropped == kept.size()) firstDropped = i;
    }
    // Columns that lose no point stay as they are: views of the grid's
    // numbers need no copy.
    if (firstDropped == kept.size()) return;
    for (PointColumn* column : columns) {
        if (column->empty()) continue;
        double* values = column->Edit();
        const std::size_t n = std::min(kept.size(), column->size());
        std::size_t to = std::min(firstDropped, n);
        for (std::size_t i = to; i < n; ++i)
            if (kept[i]) values[to++] = values[i];
        column->resize(to);
    }
    count_ = int(X.size());
}
