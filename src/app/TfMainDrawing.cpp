// The plotting driver: the grid's points, the axis ranges, the series, then
// the frame, the axis numbers, the labels and the legend, and showing the
// graph.
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "app/TfMain.h"
#include "platform/Canvas.h"
#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/PictureReplay.h"
#include "platform/RaisedError.h"
#include "platform/SideBySide.h"
#include "platform/TimeText.h"
#include "platform/UsableCores.h"
#include "plot/NiceTicks.h"
#include "plot/PlotNames.h"

namespace {

// The numbers of some grid columns, rows 1 to `rows`, a column used by
// many series read once. A column of numbers alone is the grid's own,
// shared with the table that `owner` keeps alive, never copied. Otherwise
// an edited cell's text is read: empty is a missing value (NaN), any other
// text must be a number. An infinity, read or typed, is drawn as nothing:
// a missing value too.
struct GridColumns {
    std::map<int, PointColumn> values;
    // The first row of each column that holds no number.
    std::map<int, int> firstBadRow;
};

GridColumns ReadGridColumns(const std::shared_ptr<const TStringGrid>& owner,
                            const TStringGrid& grid, const std::vector<int>& wanted, int rows) {
    GridColumns out;
    rows = std::max(rows, 0);
    std::vector<int> columns;
    for (int c : wanted) {
        if (out.values.count(c)) continue;
        const double* numbers = owner ? grid.ColumnNumbers(c) : nullptr;
        if (numbers && grid.RowCount() - TStringGrid::FixedRows >= rows &&
            std::none_of(numbers, numbers + rows, [](double v) { return std::isinf(v); }))
            out.values[c] = PointColumn(owner, numbers, std::size_t(rows));
        else
            columns.push_back(c);
    }
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    std::vector<double*> targets;
    for (int c : columns) {
        out.values[c] = PointColumn(std::vector<double>(std::size_t(rows)));
        targets.push_back(out.values[c].Edit());
    }
    for (int j = 0; j < rows; ++j) {
        for (std::size_t k = 0; k < columns.size(); ++k) {
            // A cell the user did not edit holds the number its text gives.
            double& target = targets[k][j];
            if (grid.NumberAt(columns[k], j + 1, target)) {
                if (std::isinf(target)) target = kMissingValue;
                continue;
            }
            const std::string cell = grid.Cell(columns[k], j + 1);
            if (TryNumberOrTime(cell, target)) continue;
            if (IsMissingValueText(cell) || IsInfinityText(cell))
                target = kMissingValue;
            else if (!out.firstBadRow.count(columns[k]))
                out.firstBadRow[columns[k]] = j;
        }
    }
    return out;
}

// Raises the conversion error of the cell a column-by-column reading of
// the columns in this order would meet first.
void RaiseFirstBadCell(const TStringGrid& grid, const GridColumns& read,
                       const std::vector<int>& order) {
    for (int c : order) {
        const auto bad = read.firstBadRow.find(c);
        if (bad != read.firstBadRow.end()) StrToFloat(grid.Cell(c, bad->second + 1));
    }
}

}  // namespace

bool TfMain::CheckDrawableSettings() {
    // No lower limit where a negative value draws nothing harmful.
    constexpr int kNone = std::numeric_limits<int>::min();
    struct Limit {
        const char* name;
        int value;
        int maximum;
        int minimum = kNone;
    } limits[] = {
        {"グラフの幅", Doc.Graph.Width, kMaxPictureSize},
        {"グラフの高さ", Doc.Graph.Height, kMaxPictureSize},
        {"キャンバスの幅", Doc.Graph.Canvaswidth, kMaxPictureSize},
        {"キャンバスの高さ", Doc.Graph.Canvasheight, kMaxPictureSize},
        {GridlineNames::LargeX, Doc.X().Large, kMaxDivisions},
        {GridlineNames::LargeY, Doc.Y().Large, kMaxDivisions},
        {GridlineNames::SmallX, Doc.X().Small, kMaxDivisions},
        {GridlineNames::SmallY, Doc.Y().Small, kMaxDivisions},
        {GridlineNames::LargeY2, Doc.Y2().Large, kMaxDivisions},
        {GridlineNames::SmallY2, Doc.Y2().Small, kMaxDivisions},
        {GridlineNames::Largewidth, Doc.Gridline.Largewidth, kMaxDivisions},
        {GridlineNames::Smallwidth, Doc.Gridline.Smallwidth, kMaxDivisions},
        {GridlineNames::LInewidth, Doc.Gridline.LInewidth, kMaxDivisions},
        // A negative size is a cell height rather than a character height.
        {"ﾀｲﾄﾙ ﾌｫﾝﾄｻｲｽﾞ", Doc.Fonts.Graphtitle.Size, FontSetting::kMaxSize, -FontSetting::kMaxSize},
        {"X軸 ﾌｫﾝﾄｻｲｽﾞ", Doc.X().TitleFont.Size, FontSetting::kMaxSize, -FontSetting::kMaxSize},
        {"Y軸 ﾌｫﾝﾄｻｲｽﾞ", Doc.Y().TitleFont.Size, FontSetting::kMaxSize, -FontSetting::kMaxSize},
        {"右Y軸 ﾌｫﾝﾄｻｲｽﾞ", Doc.Y2().TitleFont.Size, FontSetting::kMaxSize, -FontSetting::kMaxSize},
        {"数字 ﾌｫﾝﾄｻｲｽﾞ", Doc.Fonts.Num.Size, FontSetting::kMaxSize, -FontSetting::kMaxSize},
        {"凡例 ﾌｫﾝﾄｻｲｽﾞ", Doc.Fonts.Sample.Size, FontSetting::kMaxSize, -FontSetting::kMaxSize},
    };
    for (const Limit& l : limits) {
        if (l.value > l.maximum) {
            ShowMessage(
                FormatText(kTooLargeSettingText, {l.name, IntToStr(l.value), IntToStr(l.maximum)}));
            return false;
        }
        if (l.value < l.minimum) {
            ShowMessage(
                FormatText(kTooSmallSettingText, {l.name, IntToStr(l.value), IntToStr(l.minimum)}));
            return false;
        }
    }
    return true;
}

bool TfMain::DrawGraph(bool showWindow) {
    // Labels the user moved stay where they were put (ﾗﾍﾞﾙの配置 lays them
    // out anew).
    return Draw(showWindow);
}

bool TfMain::Draw(bool showWindow) {
    // A drawing of millions of points shows how far it is.
    struct ProgressEnd {
        Desktop* desktop;
        ~ProgressEnd() {
            if (desktop) desktop->EndProgress();
        }
    } progressEnd{ProgressDesktop};
    const int series = SeriesCount();
    ShowSeriesStyles(false);
    for (int n = 0; n < series; ++n) {
        LineImage(n).Xtype = Doc.X().Type;
        LineImage(n).Ytype = Doc.Axes[std::size_t(YAxisOf(n))].Type;
    }
    std::vector<int> checked;
    for (int n = 0; n < series; ++n) {
        LineImage(n).Fitted.reset();
        if (Series(n).Plotted) checked.push_back(n);
    }
    if (checked.empty()) {
        ShowMessage(kNoYColumnText);
        return false;
    }
    if (!CheckDrawableSettings()) return false;
    for (int n = 0; n < series; ++n) {
        // An X column that does not exist (also a negative one from a
        // configuration file) becomes column 1.
        int& axisX = Series(n).Style.AxisX;
        if (axisX > ColumnCount() || axisX < 0) LineImage(n).AxisX = axisX = 1;
    }
    const int k = int(checked.size());

    std::vector<int> xColumns, yColumns;
    for (int n : checked) {
        xColumns.push_back(Series(n).Style.AxisX);
        yColumns.push_back(Series(n).YColumn);
    }
    // The error columns of each series: Y plus, Y minus, X plus, X minus.
    std::vector<std::array<int, 4>> errorColumns;
    std::vector<int> allErrorColumns;
    for (int n : checked) {
        SeriesStyle& s = Series(n).Style;
        std::array<int, 4> columns{s.ErrorY, s.ErrorYMinus, s.ErrorX, s.ErrorXMinus};
        for (int& c : columns) {
            if (c > ColumnCount()) {
                ShowNotice(FormatText(kNoErrorColumnText, {Series(n).LegendText, IntToStr(c),
                                                           IntToStr(ColumnCount())}));
                c = 0;
            }
            if (c > 0) allErrorColumns.push_back(c);
        }
        errorColumns.push_back(columns);
    }
    std::vector<int> usedColumns = xColumns;
    usedColumns.insert(usedColumns.end(), yColumns.begin(), yColumns.end());
    usedColumns.insert(usedColumns.end(), allErrorColumns.begin(), allErrorColumns.end());
    GridColumns cells = ReadGridColumns(Doc.Sources.empty() ? nullptr : Doc.Sources.front().Table,
                                        DataG(), usedColumns, RowCount());
    RaiseFirstBadCell(DataG(), cells, xColumns);
    RaiseFirstBadCell(DataG(), cells, yColumns);
    RaiseFirstBadCell(DataG(), cells, allErrorColumns);
    // ErrorY alone reaches both ways; with ErrorYMinus it is the plus side.
    auto extents = [&](int plus, int minus) {
        ErrorExtents e;
        if (plus > 0) e.Plus = cells.values.at(plus);
        if (minus > 0)
            e.Minus = cells.values.at(minus);
        else if (plus > 0)
            e.Minus = e.Plus;
        return e;
    };
    std::vector<ErrorExtents> errorsX, errorsY;
    for (const auto& c : errorColumns) {
        errorsY.push_back(extents(c[0], c[1]));
        errorsX.push_back(extents(c[2], c[3]));
    }
    Columns xs, ys;
    for (int m = 0; m < k; ++m) {
        xs.push_back(&cells.values.at(xColumns[std::size_t(m)]));
        ys.push_back(&cells.values.at(yColumns[std::size_t(m)]));
    }
    // A logarithmic axis cannot show values of 0 or below: those points are
    // left out like missing ones, and counted for a notice.
    std::map<std::pair<int, int>, PointColumn> logCopies;
    const std::string logNotice =
        LeaveOutNotPositive(checked, xColumns, yColumns, xs, ys, logCopies);

    if (!AxisRanges(checked, xs, ys, errorsX, errorsY)) return false;
    auto layTexts = [this] {
        ImageStep();
        menuFramePlotClick();
        menuPlotNumberClick();
        LayLabels();
        menuExPlotClick();
    };
    // Fitted equations in the legend: known before the legend is laid out.
    FitLegendEquations(checked, xs, ys, errorsY);
    // Texts laid out first where the settings put them, and again after
    // moving whatever would reach past the canvas (a move can widen the
    // numbers' room, so at most a few rounds).
    layTexts();
    for (int round = 0; round < 3 && FitTextsInCanvas(); ++round) layTexts();
    if (!SeriesStep(checked, xs, ys, errorsX, errorsY)) return false;

    Canv.ClientWidth = Doc.Graph.Canvaswidth;
    Canv.ClientHeight = Doc.Graph.Canvasheight;
    drawnSeries_ = checked;
    drawnRightAxis_ = Doc.UsesRightAxis();

    if (showWindow) menuImageviewClick();
    graphDrawn_ = true;

    Enable(&CommandEnabling::SaveGraphButton);
    Enable(&CommandEnabling::CopyGraphButton);
    Enable(&CommandEnabling::menuGraphSave);
    Enable(&CommandEnabling::menuGraphCopy);
    Enable(&CommandEnabling::menuImageview);
    emit GraphChanged();
    if (!logNotice.empty()) ShowNotice(logNotice);
    return true;
}

void TfMain::ImageStep() {
    // The graph image, blank. Its bitmap is the whole canvas and gets the
    // frame and the series where the saved graph has them, so that the
    // window shows the pixels of the BMP, the border and the marks that
    // reach past the plot area included.
    ImageControl& image = Canv.Image;
    image.Width = Doc.Graph.Width;
    image.Height = Doc.Graph.Height;
    image.Top = Doc.Graph.Top;
    image.Left = Doc.Graph.Left;
    image.BitmapX = -Doc.Graph.Left;
    image.BitmapY = -Doc.Graph.Top;
    image.Bitmap = WhiteImage(Doc.Graph.Canvaswidth, Doc.Graph.Canvasheight);
}

bool TfMain::SeriesStep(const std::vector<int>& checked, const Columns& xs, const Columns& ys,
                        std::vector<ErrorExtents>& errorsX, std::vector<ErrorExtents>& errorsY) {
    // Recorded into the plot picture itself: its storage is kept from one
    // drawing to the next.
    PlotPicture.Clear();
    PlotPicture.SetSize(Doc.Graph.Canvaswidth, Doc.Graph.Canvasheight);
    Canvas canvas(PlotPicture);
    // The series share the columns (and the grid's numbers) until one
    // changes its points.
    const std::size_t k = checked.size();
    for (std::size_t m = 0; m < k; ++m) {
        TPlot& p = LineImage(checked[m]);
        const std::string& legend = Series(checked[m]).LegendText;
        p.Caption =
            legend.empty() ? FormatText(kColumnCaptionText, {IntToStr(checked[m] + 1)}) : legend;
        p.SetPoints(*xs[m], *ys[m]);
        p.Xsize = Doc.Graph.Width;
        p.Ysize = Doc.Graph.Height;
        p.ErrorsX = std::move(errorsX[m]);
        p.ErrorsY = std::move(errorsY[m]);
    }
    // The marks, and the polylines of series without a curve, are each
    // series' own and say nothing: the series make them side by side.
    std::vector<Picture> marks(k), lines(k);
    std::vector<char> lineMade(k, 0);
    RunSideBySide(k, UsableCores(), [&](std::size_t m) {
        TPlot& p = LineImage(checked[m]);
        p.PlotMark();
        marks[m] = std::move(p.CurveLayer);
        if (p.Hokan == CurveMethod::None) {
            p.PlotLine();
            lines[m] = std::move(p.CurveLayer);
            lineMade[m] = 1;
        }
    });
    auto fail = [&] {
        PlotPicture.Clear();
        PlotPicture.SetSize(Doc.Graph.Canvaswidth, Doc.Graph.Canvasheight);
        return false;
    };
    for (std::size_t m = 0; m < k; ++m) {
        // Cancelled, the drawing stops as one that failed: nothing drawn.
        if (ProgressDesktop &&
            !ProgressDesktop->ShowProgress(kDrawingProgressText, double(m) / double(k)))
            return fail();
        TPlot& p = LineImage(checked[m]);
        // The bars lie under the marks.
        if (p.PlotErrorBars()) canvas.Draw(0, 0, p.CurveLayer);
        canvas.Draw(0, 0, marks[m]);
        if (lineMade[m])
            p.CurveLayer = std::move(lines[m]);
        else if (!p.PlotLine())
            return fail();
        canvas.Draw(0, 0, p.CurveLayer);
    }
    return true;
}

void TfMain::SetUpFrame(TFrame& frame, AxisIndex yAxis) {
    const AxisSettings& y = Doc.Axes[std::size_t(yAxis)];
    frame.Xsize = Doc.Graph.Width;
    frame.Ysize = Doc.Graph.Height;
    frame.LargeLength = Doc.Gridline.Largelength;
    frame.SmallLength = Doc.Gridline.Smalllength;
    TickCounts(kAxisX, frame.XLargeGrid, frame.XSmallGrid);
    TickCounts(yAxis, frame.YLargeGrid, frame.YSmallGrid);
    frame.XTicks = FixedLimitTicks(kAxisX);
    frame.YTicks = FixedLimitTicks(yAxis);
    frame.XDates = AxisDates(kAxisX);
    frame.YDates = AxisDates(yAxis);
    frame.LargePen = Doc.Gridline.Largewidth;
    frame.SmallPen = Doc.Gridline.Smallwidth;
    frame.GridLineWidth = Doc.Gridline.LInewidth;
    frame.Xtype = Doc.X().Type;
    frame.Ytype = y.Type;
    frame.Xmax = Doc.X().Max;
    frame.Xmin = Doc.X().Min;
    frame.Ymax = y.Max;
    frame.Ymin = y.Min;
}

void TfMain::menuFramePlotClick() {
    // With a right axis the left ticks stand on the left border alone and
    // the right axis' on the right one; the grid lines are the left axis'.
    const bool right = Doc.UsesRightAxis();
    SetUpFrame(AllImage, kAxisY);
    AllImage.YSides = right ? TFrame::Sides::Left : TFrame::Sides::Both;
    AllImage.DrawFrame();
    if (!right) return;
    SetUpFrame(RightImage, kAxisY2);
    RightImage.YSides = TFrame::Sides::Right;
    RightImage.DrawRightTicks();
    Canvas canvas(AllImage.FramePicture);
    canvas.Draw(0, 0, RightImage.YGridPicture);
}

void TfMain::menuImageviewClick() {
    QPainter painter(&Canv.Image.Bitmap);
    ReplayPicture(painter, AllImage.FramePicture, Doc.Graph.Left, Doc.Graph.Top);
    ReplayPicture(painter, PlotPicture, Doc.Graph.Left, Doc.Graph.Top);
    painter.end();
    Canv.Shown = true;
    Canv.Image.Top = Doc.Graph.Top;
    Canv.Image.Left = Doc.Graph.Left;
    emit ShowGraphWindow();
    emit GraphChanged();
}
