#include "plot/TPlot.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <numeric>

#include "platform/Canvas.h"
#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/PolylineReducer.h"
#include "plot/AxisTypes.h"

namespace {

// The pixel columns a curve is sampled at: first, first + step, ... for
// count samples, then last. Samples far outside the plot area on either
// side, which the clipped polyline would never draw, are left out, except
// the one next to the area that a border crossing starts from.
std::vector<std::int64_t> SampleColumns(std::int64_t first, int step, std::int64_t count,
                                        std::int64_t last, int width) {
    constexpr std::int64_t kMargin = 10;
    std::vector<std::int64_t> columns;
    std::int64_t j = 0;
    if (first < -kMargin) j = std::max<std::int64_t>(0, (-kMargin - first) / step - 1);
    for (; j < count; ++j) {
        const std::int64_t column = first + step * j;
        columns.push_back(column);
        if (column > width + kMargin) return columns;
    }
    columns.push_back(last);
    return columns;
}

}  // namespace

bool IsCurveMethodName(const std::string& hokan) {
    for (const char* name : kCurveMethods)
        if (hokan == name) return true;
    return false;
}

TPlot::TPlot() {
    X.assign(1, 0.0);
    Y.assign(1, 0.0);
}

void TPlot::SetCount(int n) {
    count_ = std::max(n, 0);
    X.assign(std::size_t(count_), 0.0);
    Y.assign(std::size_t(count_), 0.0);
}

void TPlot::SetPoints(std::vector<double> x, std::vector<double> y) {
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
    if (kind == AxisMapping::Kind::Linear) return v;
    return v == 0 ? 0 : LogOf(kind, v);
}

double Unscale(AxisKind kind, double v) {
    if (kind == AxisKind::Log10) return std::pow(10.0, v);
    if (kind == AxisKind::Ln) return std::exp(v);
    return v;
}

}  // namespace

double TPlot::ScaleX(double v) const {
    return Scale(AxisKindOf(Xtype), v);
}

double TPlot::ScaleY(double v) const {
    return Scale(AxisKindOf(Ytype), v);
}

double TPlot::UnscaleX(double v) const {
    return Unscale(AxisKindOf(Xtype), v);
}

double TPlot::UnscaleY(double v) const {
    return Unscale(AxisKindOf(Ytype), v);
}

AxisMapping TPlot::Mapping() const {
    AxisMapping m;
    m.X = AxisKindOf(Xtype);
    m.Y = AxisKindOf(Ytype);
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

PixelPoint AxisMapping::Map(double x, double y) const {
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
    return {TruncToPixel(px), TruncToPixel(py)};
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

void DrawMark(Canvas& canvas, const std::string& type, int x, int y, int h, TColor color,
              bool inSample) {
    auto brush = [&](BrushStyle style, TColor c) {
        canvas.Brush.Style = style;
        canvas.Brush.Color = c;
    };
    if (type == "maru") {
        if (inSample)
            brush(BrushStyle::bsClear, color);
        else
            brush(BrushStyle::bsSolid, clWhite);
        canvas.Ellipse(x - h, y - h, x + h, y + h);
    } else if (type == "maru2") {
        brush(BrushStyle::bsSolid, color);
        canvas.Ellipse(x - h, y - h, x + h, y + h);
    } else if (type == "shikaku" || type == "shikaku2") {
        brush(type == "shikaku" ? BrushStyle::bsClear : BrushStyle::bsSolid, color);
        canvas.Rectangle(x - h, y - h, x + h, y + h);
    } else if (type == "sankaku" || type == "sankaku2") {
        brush(type == "sankaku" ? BrushStyle::bsClear : BrushStyle::bsSolid, color);
        const PixelPoint triangle[3] = {{x, y - h}, {x - h, y + h}, {x + h, y + h}};
        canvas.Polygon(triangle, 3);
    } else if (type == "batsu") {
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
    // "no" and unknown names draw no mark: no point need be placed.
    const auto drawn = std::find_if(std::begin(kMarkTypes) + 1, std::end(kMarkTypes),
                                    [&](const char* type) { return MarkType == type; });
    if (drawn == std::end(kMarkTypes)) return;
    Canvas canvas(CurveLayer);
    canvas.Pen = TPen{MarkColor, PenStyle::psSolid, 1};
    canvas.Brush.Color = MarkColor;
    const int h = MarkSize / 2;
    // A pass below 0 marks every point, as 0 does.
    const std::int64_t step = std::max<std::int64_t>(1, std::int64_t(MarkPass) + 1);
    const std::int64_t marks = count_ / step;
    const AxisMapping mapping = Mapping();
    CurveLayer.Reserve(std::size_t(marks) + 4);
    PixelPoint before{INT_MIN, INT_MIN};
    for (std::int64_t i = 0; i < marks; ++i) {
        const std::size_t k = std::size_t(i * step);
        if (!HasPoint(k)) continue;  // a missing value has no mark
        const PixelPoint p = mapping.Map(X[k], Y[k]);
        // A mark on the pixel of the mark before is that mark.
        if (!Inside(p) || p == before) continue;
        DrawMark(canvas, MarkType, p.x, p.y, h, MarkColor, false);
        before = p;
    }
}

void TPlot::DrawSample() {
    SamplePicture.Clear();
    SamplePicture.SetSize(Width, Height);
    Canvas canvas(SamplePicture);
    canvas.Pen = TPen{LineColor, LineType, LineWidth};
    canvas.MoveTo(5, Height / 2);
    canvas.LineTo(Width - 5, Height / 2);
    canvas.Pen = TPen{MarkColor, PenStyle::psSolid, 1};
    canvas.Brush.Color = MarkColor;
    DrawMark(canvas, MarkType, Width / 2, Height / 2, MarkSize / 2, MarkColor, true);
}

void TPlot::InternalPlotLine(const PixelPoint* points, int n) {
    InternalPlotLines(points, {std::max(n, 0)});
}

void TPlot::InternalPlotLines(const PixelPoint* points, const std::vector<int>& runEnds) {
    ClearCurveLayer();
    // No reservation by the number of points: reduced, a million of them
    // are a few thousand operations.
    Canvas canvas(CurveLayer);
    canvas.Pen = TPen{LineColor, LineType, LineWidth};
    canvas.Brush.Style = BrushStyle::bsClear;
    PolylineReducer runs(canvas);
    int begin = 0;
    for (int end : runEnds) {
        AddClippedPolyline(runs, points + begin, end - begin);
        begin = end;
    }
}

void TPlot::AddClippedPolyline(PolylineReducer& canvas, const PixelPoint* points, int n) const {
    bool drawing = false;
    for (int i = 0; i < n; ++i) {
        const bool inside = Inside(points[i]);
        if (inside && !drawing) {
            if (i == 0) {
                canvas.MoveTo(points[0].x, points[0].y);
            } else {
                const PixelPoint entry = ClipToFrame(points[i], points[i - 1]);
                canvas.MoveTo(entry.x, entry.y);
                canvas.LineTo(points[i].x, points[i].y);
            }
            drawing = true;
        } else if (inside) {
            canvas.LineTo(points[i].x, points[i].y);
        } else if (drawing) {
            const PixelPoint exit = ClipToFrame(points[i], points[i - 1]);
            canvas.LineTo(exit.x, exit.y);
            drawing = false;
        }
    }
}

PixelPoint TPlot::ClipToFrame(PixelPoint p, PixelPoint q) const {
    // R has the larger x; with equal x, R is p.
    const PixelPoint r = q.x > p.x ? q : p;
    const PixelPoint l = q.x > p.x ? p : q;
    const double lx = l.x, ly = l.y, rx = r.x, ry = r.y;
    bool found = false;
    PixelPoint c;
    if ((l.y > Ysize || r.y > Ysize) && ry != ly) {
        c = {TruncToPixel(lx + (Ysize - ly) / (ry - ly) * (rx - lx)), Ysize};
        found = true;
    } else if ((l.y < 0 || r.y < 0) && ry != ly) {
        c = {TruncToPixel(lx + (0 - ly) / (ry - ly) * (rx - lx)), 0};
        found = true;
    }
    if (found && c.x >= 0 && c.x <= Xsize) return c;
    if (rx == lx) return Inside(p) ? p : q;
    if (r.x > Xsize || (found && c.x > Xsize))
        return {Xsize, TruncToPixel(ly + (ry - ly) * (Xsize - lx) / (rx - lx))};
    return {0, TruncToPixel(ry + (ly - ry) * (0 - rx) / (lx - rx))};
}

void TPlot::DropMissingPoints() {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < std::size_t(count_); ++i) {
        if (!HasPoint(i)) continue;
        X[kept] = X[i];
        Y[kept] = Y[i];
        ++kept;
    }
    count_ = int(kept);
    X.resize(kept);
    Y.resize(kept);
}

bool TPlot::PlotLine() {
    if (Hokan != kHokanNone) {
        // Fits, splines and means are made of the points that have both
        // values; with none there is no curve.
        const std::size_t before = std::size_t(count_);
        DropMissingPoints();
        if (count_ == 0 && before > 0) {
            ClearCurveLayer();
            return IsCurveMethodName(Hokan);
        }
    }
    if (Hokan == kHokanNone) {
        ReadPlotLine();
        return true;
    }
    if (Hokan == kHokanMin2) {
        Min2PlotLine();
        return true;
    }
    if (Hokan == kHokanMin2Area) {
        Min2PlotLineArea();
        return true;
    }
    if (Hokan == kHokanMean) return MeanPlotLine();
    if (Hokan == kHokanSpline) {
        SortByX();
        return SplinePlotLine();
    }
    if (Hokan == kHokanSplineArea) {
        SortByX();
        return SplinePlotLineArea();
    }
    return false;
}

void TPlot::ReadPlotLine() {
    // The polyline breaks at a missing value: each run of points that have
    // both values is a polyline of its own.
    std::vector<PixelPoint> points;
    points.reserve(std::size_t(count_));
    std::vector<int> runEnds;
    const AxisMapping mapping = Mapping();
    // An empty run (missing values in a row) draws nothing.
    for (int i = 0; i < count_; ++i) {
        if (HasPoint(std::size_t(i)))
            points.push_back(mapping.Map(X[i], Y[i]));
        else
            runEnds.push_back(int(points.size()));
    }
    runEnds.push_back(int(points.size()));
    InternalPlotLines(points.data(), runEnds);
}

bool TPlot::FitPolynomial() {
    // Too few points is the series' own fault, said in its terms; other
    // singular systems raise the division error.
    const bool degreeFits = Dimension >= 0 && Dimension <= TCalc::kMaxDegree;
    const int distinct = degreeFits ? TCalc::DistinctCount(X.data(), count_, Dimension + 1) : 0;
    if (degreeFits && distinct <= Dimension) {
        ShowMessage(FormatText(kTooFewPointsText, {Caption.empty() ? Name : Caption,
                                                   IntToStr(distinct), IntToStr(Dimension)}));
        return false;
    }
    Calc.SetRow(count_);
    Calc.SetCol(2);
    std::copy(X.begin(), X.end(), Calc.Column(0));
    std::copy(Y.begin(), Y.end(), Calc.Column(1));
    if (!Calc.CalcMin2(Dimension)) return false;
    fit_ = Calc.Fit();
    return true;
}

void TPlot::DataColumns(int& left, int& right) {
    Calc.SetRow(count_);
    Calc.SetCol(1);
    std::copy(X.begin(), X.end(), Calc.Column(0));
    Calc.CalcMaxMin();
    right = DataToPixel(Calc.Max, 1.0).x;
    left = DataToPixel(Calc.Min, 1.0).x;
}

void TPlot::Min2PlotLine() {
    if (!FitPolynomial()) {
        ClearCurveLayer();  // the fit was refused: no curve for this series
        return;
    }
    const int n = Xsize / 5;
    std::vector<PixelPoint> points;
    for (std::int64_t column : SampleColumns(0, 5, n, Xsize, Xsize)) {
        const double x = ColumnToData(int(column));
        points.push_back(DataToPixel(x, fit_(x)));
    }
    InternalPlotLine(points.data(), int(points.size()));
}

void TPlot::Min2PlotLineArea() {
    int left = 0, right = 0;
    DataColumns(left, right);
    if (!FitPolynomial() || right < left) {
        ClearCurveLayer();
        return;
    }
    const std::int64_t n = (std::int64_t(right) - left) / 5;
    std::vector<PixelPoint> points;
    for (std::int64_t column : SampleColumns(left, 5, n, right, Xsize)) {
        const double x = ColumnToData(TruncToPixel(double(column)));
        points.push_back(DataToPixel(x, fit_(x)));
    }
    InternalPlotLine(points.data(), int(points.size()));
}

bool TPlot::MeanPlotLine() {
    double sum = 0.0;
    for (int i = 0; i < count_; ++i) sum += Y[i];
    const double mean = sum != 0 ? sum / count_ : 0.0;
    const PixelPoint points[2] = {DataToPixel(Xmin, mean), DataToPixel(Xmax, mean)};
    InternalPlotLine(points, 2);
    return true;
}

void TPlot::SortByX() {
    // Ascending X; points of equal X keep their order.
    std::vector<int> order(static_cast<std::size_t>(count_));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) { return X[a] < X[b]; });
    std::vector<double> x(X.size()), y(Y.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        x[i] = X[std::size_t(order[i])];
        y[i] = Y[std::size_t(order[i])];
    }
    X.swap(x);
    Y.swap(y);
}

bool TPlot::SplinePlotLine() {
    Calc.SetCol(2);
    Calc.SetRow(count_);
    std::copy(X.begin(), X.end(), Calc.Column(0));
    std::copy(Y.begin(), Y.end(), Calc.Column(1));
    if (count_ < 2) {
        // One point or none: no curve, and no error.
        ClearCurveLayer();
        return true;
    }
    if (!Calc.CalcSpline()) return false;
    const int n = Xsize / 4;
    std::vector<PixelPoint> points;
    for (std::int64_t column : SampleColumns(0, 4, n, Xsize, Xsize)) {
        const double x = ColumnToData(int(column));
        points.push_back(DataToPixel(x, Calc.SplineValue(x)));
    }
    InternalPlotLine(points.data(), int(points.size()));
    return true;
}

bool TPlot::SplinePlotLineArea() {
    int left = 0, right = 0;
    DataColumns(left, right);
    Calc.SetRow(count_);
    Calc.SetCol(2);
    std::copy(X.begin(), X.end(), Calc.Column(0));
    std::copy(Y.begin(), Y.end(), Calc.Column(1));
    if (count_ < 2) {
        ClearCurveLayer();
        return true;
    }
    if (!Calc.CalcSpline()) return false;
    if (right < left) {
        ClearCurveLayer();
        return true;
    }
    const std::int64_t n = (std::int64_t(right) - left) / 5;
    std::vector<PixelPoint> points;
    for (std::int64_t column : SampleColumns(left, 5, n, right, Xsize)) {
        const double x = ColumnToData(TruncToPixel(double(column)));
        points.push_back(DataToPixel(x, Calc.SplineValue(x)));
    }
    InternalPlotLine(points.data(), int(points.size()));
    return true;
}
