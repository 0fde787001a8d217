// The line or curve of a series: the polyline of its points, a
// least-squares polynomial, a spline or the mean.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

#include "fit/FitReports.h"
#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "plot/TPlot.h"

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

bool TPlot::PlotLine() {
    using enum CurveMethod;
    Fitted.reset();
    if (Hokan != None) {
        // Fits, splines and means are made of the points that have both
        // values; with none there is no curve.
        const std::size_t before = std::size_t(count_);
        DropMissingPoints();
        if (count_ == 0 && before > 0) {
            ClearCurveLayer();
            return true;
        }
    }
    switch (Hokan) {
        case None:
            ReadPlotLine();
            return true;
        case Min2:
            Min2PlotLine();
            return true;
        case Min2Area:
            Min2PlotLineArea();
            return true;
        case Mean:
            return MeanPlotLine();
        case Spline:
            SortByX();
            return SplinePlotLine();
        case SplineArea:
            SortByX();
            return SplinePlotLineArea();
        case Formula:
        case FormulaArea:
            FormulaPlotLine(Hokan == FormulaArea);
            return true;
    }
    return false;
}

bool TPlot::FitPolynomial() {
    const std::vector<double> weights = FitWeights();
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
    if (!Calc.CalcMin2(Dimension, weights.empty() ? nullptr : weights.data())) return false;
    fit_ = Calc.Fit();
    Report(PolynomialFitResult(Calc, X, Y, weights));
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
    CurvePoints points;
    const AxisMapping mapping = Mapping();
    for (std::int64_t column : SampleColumns(0, 5, n, Xsize, Xsize)) {
        const double x = ColumnToData(int(column));
        points.Add(mapping, x, fit_(x));
    }
    InternalPlotLines(points);
}

void TPlot::Min2PlotLineArea() {
    int left = 0, right = 0;
    DataColumns(left, right);
    if (!FitPolynomial() || right < left) {
        ClearCurveLayer();
        return;
    }
    const std::int64_t n = (std::int64_t(right) - left) / 5;
    CurvePoints points;
    const AxisMapping mapping = Mapping();
    for (std::int64_t column : SampleColumns(left, 5, n, right, Xsize)) {
        const double x = ColumnToData(TruncToPixel(double(column)));
        points.Add(mapping, x, fit_(x));
    }
    InternalPlotLines(points);
}

bool TPlot::MeanPlotLine() {
    double mean = 0.0;
    if (count_ > 0) {
        FitResult fit = MeanFitResult(Y, FitWeights());
        mean = fit.Parameters[0].Value;
        Report(std::move(fit));
    }
    CurvePoints points;
    const AxisMapping mapping = Mapping();
    points.Add(mapping, Xmin, mean);
    points.Add(mapping, Xmax, mean);
    InternalPlotLines(points);
    return true;
}

void TPlot::PlotSampledCurve(bool dataRangeOnly, const std::function<double(double)>& curve) {
    int left = 0, right = Xsize;
    if (dataRangeOnly) DataColumns(left, right);
    if (right < left) {
        ClearCurveLayer();
        return;
    }
    const std::int64_t n = (std::int64_t(right) - left) / 5;
    CurvePoints points;
    const AxisMapping mapping = Mapping();
    for (std::int64_t column : SampleColumns(left, 5, n, right, Xsize)) {
        const double x = ColumnToData(TruncToPixel(double(column)));
        const double y = curve(x);
        if (std::isfinite(y))
            points.Add(mapping, x, y);
        else
            points.EndRun();
    }
    InternalPlotLines(points);
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
    X = std::move(x);
    Y = std::move(y);
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
    CurvePoints points;
    const AxisMapping mapping = Mapping();
    for (std::int64_t column : SampleColumns(0, 4, n, Xsize, Xsize)) {
        const double x = ColumnToData(int(column));
        points.Add(mapping, x, Calc.SplineValue(x));
    }
    InternalPlotLines(points);
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
    CurvePoints points;
    const AxisMapping mapping = Mapping();
    for (std::int64_t column : SampleColumns(left, 5, n, right, Xsize)) {
        const double x = ColumnToData(TruncToPixel(double(column)));
        points.Add(mapping, x, Calc.SplineValue(x));
    }
    InternalPlotLines(points);
    return true;
}
