#include "plot/TPlot.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>

#include <climits>
#include <limits>
#include <vector>

#include "TestSupport.h"
#include "platform/Canvas.h"
#include "platform/MessageSink.h"
#include "platform/PictureReplay.h"
#include "plot/PlotCases.h"
#include "plot/PlotNames.h"

namespace {

TEST(TPlot, StartsWithItsInitialValues) {
    TPlot plot;
    EXPECT_EQ(plot.LineColor, clBlack);
    EXPECT_EQ(plot.MarkSize, 8);
    EXPECT_EQ(plot.MarkPass, 0);
    EXPECT_EQ(plot.MarkType, MarkKind::Maru2);
    EXPECT_EQ(plot.LineType, PenStyle::psSolid);
    EXPECT_EQ(plot.Hokan, CurveMethod::None);
    EXPECT_EQ(plot.Xtype, AxisKind::Linear);
    EXPECT_EQ(plot.Dimension, 5);
    EXPECT_EQ(plot.AxisX, 1);
    EXPECT_EQ(plot.LineWidth, 1);
    EXPECT_EQ(plot.Xsize, 0);
    EXPECT_EQ(plot.Xmax, 0.0);
    EXPECT_EQ(plot.Count(), 1);
    EXPECT_EQ(plot.X.size(), 1u);
    plot.SetCount(7);
    EXPECT_EQ(plot.X.size(), 7u);
    EXPECT_EQ(plot.Y.size(), 7u);
}

TEST(DataToPixel, MapsLinearAndLogarithmicAxes) {
    struct Case {
        AxisKind xtype;
        AxisKind ytype;
        double xmin, xmax, ymin, ymax;
        double x, y;
        PixelPoint pixel;
    } cases[] = {
        {AxisKind::Linear, AxisKind::Linear, 0, 100, 0, 100, 50, 50, {200, 150}},
        {AxisKind::Linear, AxisKind::Linear, 0, 100, 0, 100, 0, 0, {0, 300}},
        {AxisKind::Linear, AxisKind::Linear, 0, 100, 0, 100, 100, 100, {400, 0}},
        {AxisKind::Linear, AxisKind::Linear, 0, 400, 0, 300, -0.9, 0, {0, 300}},   // -0.4 px
        {AxisKind::Linear, AxisKind::Linear, 0, 400, 0, 300, -1.1, 0, {0, 300}},   // -0.6 px
        {AxisKind::Linear, AxisKind::Linear, 0, 400, 0, 300, -2.1, 0, {-1, 300}},  // -1.6 px
        {AxisKind::Log10, AxisKind::Log10, 1, 1000, 1, 100, 10, 10, {133, 150}},
        {AxisKind::Log10, AxisKind::Log10, 1, 1000, 1, 100, 0, -5, {0, 300}},  // as if 1
        {AxisKind::Ln, AxisKind::Linear, 1, std::exp(4.0), 0, 100, std::exp(1.0), 0, {100, 300}},
        {AxisKind::Linear, AxisKind::Linear, 0, 100, 0, 100, 1e300, -1e300, {INT_MAX, INT_MAX}},
    };
    for (const Case& c : cases) {
        TPlot plot;
        plot.Xtype = c.xtype;
        plot.Ytype = c.ytype;
        plot.Xmin = c.xmin;
        plot.Xmax = c.xmax;
        plot.Ymin = c.ymin;
        plot.Ymax = c.ymax;
        plot.Xsize = 400;
        plot.Ysize = 300;
        const PixelPoint p = plot.DataToPixel(c.x, c.y);
        EXPECT_EQ(p.x, c.pixel.x) << c.x << "," << c.y;
        EXPECT_EQ(p.y, c.pixel.y) << c.x << "," << c.y;
    }
}

TEST(PixelToData, IsEquallySpacedInTheLogarithm) {
    TPlot plot;
    plot.Xtype = AxisKind::Log10;
    plot.Ytype = AxisKind::Linear;
    plot.Xmin = 1;
    plot.Xmax = 1000;
    plot.Ymin = 0;
    plot.Ymax = 100;
    plot.Xsize = 300;
    plot.Ysize = 200;
    double x, y;
    plot.PixelToData(100, 50, x, y);
    EXPECT_DOUBLE_EQ(x, 10);
    EXPECT_DOUBLE_EQ(y, 75);
    EXPECT_DOUBLE_EQ(plot.ColumnToData(200), 100);
    EXPECT_DOUBLE_EQ(plot.ScaleX(0), 0);
    EXPECT_DOUBLE_EQ(plot.UnscaleX(2), 100);
}

TEST(PlotMark, MarkBoxesAndShapes) {
    struct Case {
        MarkKind type;
        int size;
        OpKind kind;
        PixelRect box;
    } cases[] = {
        {MarkKind::Shikaku, 8, OpKind::Rectangle, {96, 46, 104, 54}},
        {MarkKind::Shikaku2, 5, OpKind::Rectangle, {98, 48, 102, 52}},
        {MarkKind::Maru, 8, OpKind::Ellipse, {96, 46, 104, 54}},
        {MarkKind::Maru2, 8, OpKind::Ellipse, {96, 46, 104, 54}},
    };
    for (const Case& c : cases) {
        TPlot plot = Series({25}, {100 - 50.0 / 3});  // pixel (100, 50)
        plot.MarkType = c.type;
        plot.MarkSize = c.size;
        plot.PlotMark();
        const auto shapes = OpsOf(plot.CurveLayer, c.kind);
        ASSERT_EQ(shapes.size(), 1u) << NameOf(c.type);
        EXPECT_EQ((PixelRect{shapes[0].A, shapes[0].B, shapes[0].C, shapes[0].D}), c.box)
            << NameOf(c.type);
        EXPECT_EQ(plot.CurveLayer.Width(), 400);
        EXPECT_EQ(plot.CurveLayer.Height(), 300);
    }
}

TEST(PlotMark, TrianglesCrossesAndNoMark) {
    TPlot plot = Series({25}, {100 - 50.0 / 3});
    plot.MarkType = MarkKind::Sankaku;
    plot.PlotMark();
    const auto polygons = OpsOf(plot.CurveLayer, OpKind::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    const PixelPoint* p = plot.CurveLayer.PointsOf(polygons[0]);
    EXPECT_EQ(p[0], (PixelPoint{100, 46}));
    EXPECT_EQ(p[1], (PixelPoint{96, 54}));
    EXPECT_EQ(p[2], (PixelPoint{104, 54}));

    plot.MarkType = MarkKind::Batsu;
    plot.PlotMark();
    EXPECT_EQ(Strokes(plot.CurveLayer),
              (std::vector<PixelPoint>{{96, 46}, {104, 55}, {96, 54}, {104, 45}}));
    plot.MarkType = MarkKind::No;
    plot.PlotMark();
    EXPECT_TRUE(plot.CurveLayer.Empty());
}

TEST(PlotMark, GraphFillsMaruWhiteTheSampleLeavesItHollow) {
    TPlot plot = Series({25}, {50});
    plot.MarkType = MarkKind::Maru;
    plot.MarkColor = clRed;
    plot.PlotMark();
    const QImage graph = PictureToImage(plot.CurveLayer);
    EXPECT_EQ(graph.pixelColor(100, 150), QColor(Qt::white));
    EXPECT_EQ(graph.pixelColor(96, 150), QColor(Qt::red));
    plot.LineColor = clBlue;
    plot.DrawSample();
    QImage sample(80, 20, QImage::Format_RGB32);
    sample.fill(Qt::white);
    QPainter painter(&sample);
    ReplayPicture(painter, plot.SamplePicture);
    painter.end();
    EXPECT_EQ(sample.pixelColor(40, 10), QColor(Qt::blue));  // the line shows through
    EXPECT_EQ(sample.pixelColor(36, 10), QColor(Qt::red));
    EXPECT_EQ(sample.pixelColor(5, 10), QColor(Qt::blue));
    EXPECT_EQ(sample.pixelColor(75, 10), QColor(Qt::white));
}

TEST(PlotMark, ThinningAndTheBorder) {
    struct Case {
        int count, pass;
        std::vector<int> marked;
    } cases[] = {
        {10, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {10, 2, {0, 3, 6}},
        {3, 5, {}},
        {4, -3, {0, 1, 2, 3}},  // below 0 marks every point
        {0, 0, {}},
    };
    for (const Case& c : cases) {
        std::vector<double> x, y;
        for (int i = 0; i < c.count; ++i) {
            x.push_back(i * 10);
            y.push_back(50);
        }
        TPlot plot = Series(x, y);
        plot.MarkPass = c.pass;
        plot.MarkType = MarkKind::Shikaku;
        plot.PlotMark();
        std::vector<int> marked;
        for (const PictureOp& op : OpsOf(plot.CurveLayer, OpKind::Rectangle))
            marked.push_back((op.A + 4) / 40);
        EXPECT_EQ(marked, c.marked) << c.count << " " << c.pass;
    }
    TPlot border = Series({100, 0, 100.5, 50}, {100, 0, 50, -1});
    border.MarkType = MarkKind::Shikaku;
    border.PlotMark();
    EXPECT_EQ(OpsOf(border.CurveLayer, OpKind::Rectangle).size(), 2u);  // both corners inside
}

TEST(PlotMark, OnePenAndBrushForAllMarksOfASeries) {
    std::vector<double> x(1000), y(1000, 50);
    for (int i = 0; i < 1000; ++i) x[std::size_t(i)] = i % 100;
    TPlot plot = Series(x, y);
    plot.MarkColor = clRed;
    plot.PlotMark();
    EXPECT_EQ(OpsOf(plot.CurveLayer, OpKind::Pen).size(), 1u);
    EXPECT_EQ(OpsOf(plot.CurveLayer, OpKind::Brush).size(), 1u);
    // A mark on the pixel of any mark before is that mark: the hundred
    // places a mark each, however often the points come back to them.
    EXPECT_EQ(OpsOf(plot.CurveLayer, OpKind::Ellipse).size(), 100u);
    // And the pixels are those of every mark drawn in order, also for
    // white-filled circles, where the order tells which covers which.
    std::vector<double> wx, wy;
    for (int i = 0; i < 600; ++i) {
        wx.push_back(40 + (i * 7) % 23);
        wy.push_back(50 + (i * 5) % 17);
    }
    for (MarkKind kind : {MarkKind::Maru, MarkKind::Sankaku, MarkKind::Batsu}) {
        TPlot marks = Series(wx, wy);
        marks.MarkType = kind;
        marks.PlotMark();
        Picture every;
        every.SetSize(marks.Xsize, marks.Ysize);
        Canvas canvas(every);
        canvas.Pen = TPen{marks.MarkColor, PenStyle::psSolid, 1};
        canvas.Brush.Color = marks.MarkColor;
        const AxisMapping mapping = marks.Mapping();
        for (std::size_t i = 0; i < wx.size(); ++i) {
            const PixelPoint p = mapping.Map(wx[i], wy[i]);
            DrawMark(canvas, kind, p.x, p.y, marks.MarkSize / 2, marks.MarkColor, false);
        }
        QImage drawn = WhiteImage(400, 300), reference = WhiteImage(400, 300);
        QPainter a(&drawn), b(&reference);
        ReplayPicture(a, marks.CurveLayer);
        ReplayPicture(b, every);
        a.end();
        b.end();
        EXPECT_EQ(drawn, reference) << int(kind);
        EXPECT_LT(marks.CurveLayer.Ops().size(), every.Ops().size());
    }
    TPlot same = Series(std::vector<double>(5, 50), std::vector<double>(5, 50));
    same.PlotMark();
    EXPECT_EQ(OpsOf(same.CurveLayer, OpKind::Ellipse).size(), 1u);
}

TEST(ClipToFrame, CrossesTheBorderWhereTheSegmentLeaves) {
    struct Case {
        const char* name;
        PixelPoint inside, outside, crossing;
    } cases[] = {
        {"bottom", {100, 100}, {100, 500}, {100, 300}},
        {"top", {100, 100}, {200, -100}, {150, 0}},
        {"right", {300, 100}, {500, 100}, {400, 100}},
        {"left", {100, 100}, {-100, 200}, {0, 150}},
        {"bottom-right corner, bottom edge", {300, 200}, {420, 400}, {360, 300}},
        {"bottom-right corner, right edge", {300, 200}, {600, 350}, {400, 250}},
        {"top-left corner", {100, 100}, {-100, -100}, {0, 0}},
        {"top-right corner", {300, 100}, {500, -100}, {400, 0}},
        {"bottom-left corner", {100, 200}, {-100, 400}, {0, 300}},
        {"left of the bottom-left corner", {100, 200}, {-200, 350}, {0, 250}},
    };
    TPlot plot = Series({}, {});
    for (const Case& c : cases) {
        EXPECT_EQ(plot.ClipToFrame(c.outside, c.inside), c.crossing) << c.name;
        EXPECT_EQ(plot.ClipToFrame(c.inside, c.outside), c.crossing) << c.name << ", reversed";
    }
}

TEST(InternalPlotLine, DrawsTheClippedPolyline) {
    TPlot plot = Series({}, {});
    const PixelPoint points[] = {{-100, 150}, {100, 150}, {200, 100}, {600, 100},
                                 {700, 0},    {200, 50},  {300, 50}};
    plot.InternalPlotLine(points, 7);
    EXPECT_EQ(Strokes(plot.CurveLayer),
              (std::vector<PixelPoint>{
                  {0, 150}, {100, 150}, {200, 100}, {400, 100}, {400, 30}, {200, 50}, {300, 50}}));
    // Outside to outside through the area draws nothing.
    const PixelPoint across[] = {{-10, 150}, {500, 150}};
    plot.InternalPlotLine(across, 2);
    EXPECT_TRUE(Strokes(plot.CurveLayer).empty());
    const PixelPoint one[] = {{10, 10}};
    plot.InternalPlotLine(one, 1);
    EXPECT_TRUE(Strokes(plot.CurveLayer).empty());
}

TEST(PlotLine, SamplingColumnsOfTheFittedCurves) {
    struct Case {
        CurveMethod hokan;
        int xsize;
        std::size_t points;
        int lastButOne;
    } cases[] = {
        {CurveMethod::Min2, 400, 81, 395},       {CurveMethod::Min2, 403, 81, 395},
        {CurveMethod::Spline, 400, 101, 396},    {CurveMethod::Spline, 403, 101, 396},
        {CurveMethod::Min2Area, 400, 65, 355},  // data from 10 to 90: columns 40 ... 360
        {CurveMethod::SplineArea, 400, 65, 355},
    };
    for (const Case& c : cases) {
        TPlot plot = Series({10, 30, 50, 70, 90}, {50, 50, 50, 50, 50});
        plot.Xsize = c.xsize;
        plot.Dimension = 1;
        plot.Hokan = c.hokan;
        ASSERT_TRUE(plot.PlotLine()) << c.hokan;
        const auto strokes = Strokes(plot.CurveLayer);
        ASSERT_EQ(strokes.size(), c.points) << c.hokan << " " << c.xsize;
        EXPECT_EQ(strokes[strokes.size() - 2].x, c.lastButOne) << c.hokan << " " << c.xsize;
        EXPECT_EQ(strokes.back().y, 150) << c.hokan;
    }
}

TEST(PlotLine, MeanLineRunsFromLimitToLimit) {
    struct Case {
        std::vector<double> y;
        int row;
    } cases[] = {{{20, 40}, 210}, {{-1, 1}, 300}, {{}, 300}};
    for (const Case& c : cases) {
        std::vector<double> x(c.y.size(), 50);
        TPlot plot = Series(x, c.y);
        plot.Ymin = 0;
        plot.Hokan = CurveMethod::Mean;
        ASSERT_TRUE(plot.PlotLine());
        EXPECT_EQ(Strokes(plot.CurveLayer), (std::vector<PixelPoint>{{0, c.row}, {400, c.row}}));
    }
}

TEST(PlotLine, SplineDecisionsForFewPointsAndTheSortedPoints) {
    TPlot two = Series({80, 20}, {60, 30});
    two.Hokan = CurveMethod::Spline;
    ASSERT_TRUE(two.PlotLine());
    const auto strokes = Strokes(two.CurveLayer);
    ASSERT_FALSE(strokes.empty());
    EXPECT_EQ(two.X, (std::vector<double>{20, 80}));  // left sorted
    EXPECT_EQ(two.Y, (std::vector<double>{30, 60}));
    // On the straight line through the two points, extrapolated both ways.
    EXPECT_EQ(strokes.front(), (PixelPoint{0, 300 - 60}));
    for (int n : {0, 1}) {
        TPlot few =
            Series(std::vector<double>(std::size_t(n), 5), std::vector<double>(std::size_t(n), 5));
        few.Hokan = CurveMethod::SplineArea;
        EXPECT_TRUE(few.PlotLine()) << n;
        EXPECT_TRUE(few.CurveLayer.Empty()) << n;
    }
}

TEST(PlotLine, RefusalsAndDecisions) {
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    TPlot degree = Series({10, 20, 30}, {1, 2, 3});
    degree.Hokan = CurveMethod::Min2;
    degree.Dimension = 11;
    degree.PlotMark();
    EXPECT_TRUE(degree.PlotLine());
    EXPECT_TRUE(degree.CurveLayer.Empty());  // no curve, the marks not twice
    EXPECT_EQ(sink.Texts, std::vector<std::string>{"次元は10次までです"});

    TPlot reversed = Series({10, 20, 30}, {1, 2, 3});
    reversed.Xmin = 100;
    reversed.Xmax = 0;  // pR < pL
    reversed.Hokan = CurveMethod::Min2Area;
    reversed.Dimension = 1;
    EXPECT_TRUE(reversed.PlotLine());
    EXPECT_TRUE(reversed.CurveLayer.Empty());

    TPlot same = Series({1, 1, 2}, {1, 2, 3});
    same.Hokan = CurveMethod::Spline;
    EXPECT_FALSE(same.PlotLine());
}

// A missing value (NaN in X or Y) is no point: no mark, the polyline breaks
// there, and the fits and the mean are made of the other points.
TEST(PlotLine, MissingValuesAreGaps) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        std::vector<double> x, y;
        CurveMethod hokan;
        std::vector<PixelPoint> strokes;
    } cases[] = {
        {"the polyline breaks at a missing Y",
         {0, 25, 50, 75, 100},
         {0, 25, nan, 75, 100},
         CurveMethod::None,
         {{0, 300}, {100, 225}, {300, 75}, {400, 0}}},
        {"and at a missing X",
         {0, nan, 50, 75},
         {0, 10, 50, 75},
         CurveMethod::None,
         {{200, 150}, {300, 75}}},
        {"missing values in a row and at both ends make no empty runs",
         {nan, 0, 25, nan, nan, 75, 100, nan},
         {1, 0, 25, 1, 1, 75, 100, 1},
         CurveMethod::None,
         {{0, 300}, {100, 225}, {300, 75}, {400, 0}}},
        {"the mean of the points that have both values",
         {10, 20, 30, nan},
         {20, nan, 40, 99},
         CurveMethod::Mean,
         {{0, 210}, {400, 210}}},
        {"every point missing: no curve", {nan, nan}, {1, 2}, CurveMethod::Min2, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TPlot plot = Series(c.x, c.y);
        plot.Hokan = c.hokan;
        plot.Dimension = 1;
        ASSERT_TRUE(plot.PlotLine());
        // A point alone draws nothing; each run of lines starts with a move.
        EXPECT_EQ(Strokes(plot.CurveLayer), c.strokes);
        if (c.hokan == CurveMethod::None) {
            EXPECT_EQ(OpsOf(plot.CurveLayer, OpKind::MoveTo).size(), c.strokes.size() / 2);
        }
    }

    TPlot marks = Series({0, 50, nan, 100}, {0, nan, 50, 100});
    marks.MarkType = MarkKind::Shikaku2;
    marks.PlotMark();
    EXPECT_EQ(OpsOf(marks.CurveLayer, OpKind::Rectangle).size(), 2u);

    // The spline and the fit see three points, in X order.
    TPlot spline = Series({30, nan, 10, 20}, {3, 5, 1, 2});
    spline.Hokan = CurveMethod::Spline;
    ASSERT_TRUE(spline.PlotLine());
    EXPECT_EQ(spline.X, (std::vector<double>{10, 20, 30}));
}

TEST(PlotLine, FarAwayDataSamplesOnlyAroundThePlotArea) {
    // Data a million plot widths to the right: the data-range curve keeps
    // to the samples that can show.
    TPlot plot = Series({0, 1e8}, {50, 50});
    plot.Hokan = CurveMethod::Min2Area;
    plot.Dimension = 1;
    ASSERT_TRUE(plot.PlotLine());
    const auto strokes = Strokes(plot.CurveLayer);
    // 81 samples; the exit on the right edge is the last one's pixel.
    EXPECT_EQ(strokes.size(), 81u);
    EXPECT_EQ(strokes.front(), (PixelPoint{0, 150}));
    EXPECT_EQ(strokes.back(), (PixelPoint{400, 150}));
}

}  // namespace
