#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fit/FitResult.h"
#include "platform/Picture.h"
#include "plot/ErrorBars.h"
#include "plot/PlotNames.h"
#include "plot/SeriesStyle.h"
#include "plot/TCalc.h"

class Canvas;
class PolylineReducer;

// The axis mapping of a series fixed for one drawing: the axis kinds are
// looked up once instead of for every point. Gives exactly what
// TPlot::DataToPixel gives.
struct AxisMapping {
    using Kind = AxisKind;
    Kind X = Kind::Linear, Y = Kind::Linear;
    double Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0;
    double LogXmin = 0, LogXmax = 0, LogYmin = 0, LogYmax = 0;
    int Xsize = 0, Ysize = 0;

    // The pixel of (x, y) and, when asked, where exactly it lies off it.
    PixelPoint Map(double x, double y, SubPixel* exact = nullptr) const;
};

// The points of a curve as polylines: the pixels of the pixel devices,
// where each point lies exactly, and where one run of points ends and the
// next begins.
struct CurvePoints {
    std::vector<PixelPoint> Pixels;
    std::vector<SubPixel> Exact;
    // Run k ends before point RunEnds[k]; a last run ends at the end.
    std::vector<int> RunEnds;

    void Add(const AxisMapping& mapping, double x, double y) {
        SubPixel exact;
        Pixels.push_back(mapping.Map(x, y, &exact));
        Exact.push_back(exact);
    }
    void EndRun() { RunEnds.push_back(int(Pixels.size())); }
    void Reserve(std::size_t n) {
        Pixels.reserve(n);
        Exact.reserve(n);
    }
};

// One plotted Y column with its X column, its line and mark styles, its
// curve method and its points. It draws its marks and its line or curve
// into its curve layer, the size of the plot area, and its line-and-mark
// sample into its sample picture, the size of its control.
class TPlot : public SeriesStyle {
  public:
    TPlot();
    virtual ~TPlot() = default;

    // The control: name, tag and place in the plot-line list.
    std::string Name;
    // What messages call the series: its legend text, else its column.
    std::string Caption;
    static constexpr const char* kTooFewPointsText =
        "'%s' は X の値が %s 通りしかないので %s 次の最小二乗法では描けません";
    static constexpr const char* kFormulaSyntaxText = "'%s' の式 %s を読めません: %s";
    static constexpr const char* kStartValueText = "'%s' の初期値 %s を読めません (式 %s)";
    static constexpr const char* kFormulaTooFewPointsText =
        "'%s' は点が %s 個なので %s 個のﾊﾟﾗﾒｰﾀの式 %s をﾌｨｯﾄできません";
    static constexpr const char* kNotConvergedText =
        "'%s' の式 %s のﾌｨｯﾄは %s 回の反復で収束しませんでした";
    static constexpr const char* kSingularText =
        "'%s' の式 %s のﾌｨｯﾄはﾔｺﾋﾞ行列が特異なので解けません (ﾊﾟﾗﾒｰﾀがﾃﾞｰﾀで決まりません)";
    static constexpr const char* kNoValueText =
        "'%s' の式 %s は初期値またはﾌｨｯﾄの途中で値を持ちません (0 での割り算など)";
    static constexpr const char* kNoWeightsText =
        "'%s' には Y の誤差の列がないので、重み付けなしでﾌｨｯﾄしました";
    static constexpr const char* kUnweightedPointsText =
        "'%s' の %s 点は Y の誤差が 0 以下か空なので、重み付けのﾌｨｯﾄから除きました";
    int Tag = 0;
    int Left = 0;
    int Top = 0;
    int Width = 80;
    int Height = 20;
    bool Visible = true;

    // The style's fields are the plot's own (TPlot::MarkSize): the main
    // window copies each series' style from the graph document.
    SeriesStyle& Style() { return *this; }
    AxisKind Xtype = AxisKind::Linear;
    AxisKind Ytype = AxisKind::Linear;
    int Xsize = 0;
    int Ysize = 0;
    double Xmin = 0.0;
    double Xmax = 0.0;
    double Ymin = 0.0;
    double Ymax = 0.0;

    int Count() const { return count_; }
    // Makes both point arrays n long; their values are undefined until
    // filled.
    void SetCount(int n);
    // The points of a drawing, taken over as they are: Count becomes their
    // number (the shorter column's).
    void SetPoints(PointColumn x, PointColumn y);
    PointColumn X;
    PointColumn Y;
    // The error bars of the points, in the order of X and Y.
    ErrorExtents ErrorsX, ErrorsY;
    // What the curve's fit found at the last PlotLine; empty for a curve
    // that fits nothing, or a fit that failed.
    std::optional<FitResult> Fitted;

    Picture CurveLayer;
    Picture SamplePicture;
    TCalc Calc;

    double ScaleX(double v) const;
    double ScaleY(double v) const;
    double UnscaleX(double v) const;
    double UnscaleY(double v) const;
    PixelPoint DataToPixel(double x, double y) const { return Mapping().Map(x, y); }
    AxisMapping Mapping() const;
    void PixelToData(int px, int py, double& x, double& y) const;
    // The data X of a pixel column.
    double ColumnToData(int px) const;

    void PlotMark();
    // Records the error bars alone into the curve layer, in the line's
    // colour and width, clipped to the plot area; false when there are
    // none to draw.
    bool PlotErrorBars();
    bool PlotLine();
    // One clipped polyline through the pixels.
    void InternalPlotLine(const PixelPoint* points, int n);
    // A clipped polyline per run of the points.
    void InternalPlotLines(const CurvePoints& points);
    void DrawSample();
    // Where the segment from p (inside) to q (outside) crosses the frame,
    // in pixels; ExactCrossing gives it exactly.
    PixelPoint ClipToFrame(PixelPoint p, PixelPoint q) const;
    std::array<double, 2> ExactCrossing(std::array<double, 2> p, std::array<double, 2> q) const;

    void ReadPlotLine();
    void Min2PlotLine();
    void Min2PlotLineArea();
    bool MeanPlotLine();
    void SortByX();
    // Leaves out the points with a missing value (NaN in X or Y).
    void DropMissingPoints();
    // Leaves out the points for which keep(i) is false, with their errors.
    void KeepPoints(const std::function<bool(std::size_t)>& keep);
    bool SplinePlotLine();
    bool SplinePlotLineArea();
    // The curve of the fitted formula, across the plot or over the data.
    void FormulaPlotLine(bool dataRangeOnly);

    // Point i has both values: neither is missing (NaN).
    bool HasPoint(std::size_t i) const { return !std::isnan(X[i]) && !std::isnan(Y[i]); }
    bool Inside(PixelPoint p) const { return p.x >= 0 && p.x <= Xsize && p.y >= 0 && p.y <= Ysize; }

  private:
    // The pixel columns of the smallest and largest X of the points.
    void DataColumns(int& left, int& right);
    bool FitPolynomial();
    // The fit weights 1 / sigma^2 from the Y errors when the style asks for
    // them, empty otherwise; points without a positive sigma are left out
    // of the points (with a notice).
    std::vector<double> FitWeights();
    // The curve y = curve(x) sampled every 5 pixel columns across the plot
    // or the data's X range, broken where it has no value.
    void PlotSampledCurve(bool dataRangeOnly, const std::function<double(double)>& curve);
    void Report(FitResult result);
    void ClearCurveLayer();
    // Points fed one at a time into clipped polylines, a new one after
    // each EndRun: ten million points need no array of pixels.
    class ClippedRuns;
    void DrawRuns(const std::function<void(ClippedRuns&)>& feed);

    int count_ = 1;
    FittedPolynomial fit_;
};

// Draws a mark at (x, y) with half size h. Marks on the graph fill the
// hollow circle white; in the sample it stays hollow.
void DrawMark(Canvas& canvas, MarkKind type, int x, int y, int h, TColor color, bool inSample);
