#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <limits>

#include "TestSupport.h"
#include "app/Drawn.h"
#include "app/TfMain.h"
#include "graph/AxisNumbers.h"
#include "platform/FontSubstitution.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/PictureReplay.h"
#include "platform/RaisedError.h"
#include "plot/PlotNames.h"

namespace {

TEST(DrawGraph, DrawsTheGraphAndEnablesExport) {
    Drawn d(kLinear);
    int shown = 0;
    QObject::connect(&d.main, &TfMain::ShowGraphWindow, [&] { ++shown; });
    ASSERT_TRUE(d.main.DrawGraph());
    EXPECT_TRUE(d.sink.Texts.empty());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(d.main.Doc.X().Min, 0);
    EXPECT_EQ(d.main.Doc.X().Max, 100);
    EXPECT_EQ(d.main.Doc.Y().Min, 0);
    EXPECT_EQ(d.main.Doc.Y().Max, 100);
    EXPECT_EQ(d.main.PlotPicture.Width(), 550);
    EXPECT_FALSE(d.main.PlotPicture.Empty());
    EXPECT_EQ(d.main.AllImage.FramePicture.Width(), 300);
    EXPECT_EQ(d.main.Canv.Image.Bitmap.size(), QSize(550, 320));  // the whole canvas
    EXPECT_EQ(d.main.Canv.Image.Left, 80);
    EXPECT_TRUE(d.main.Enabling().menuGraphSave);
    EXPECT_TRUE(d.main.Enabling().CopyGraphButton);
    EXPECT_TRUE(d.main.Enabling().menuImageview);
    EXPECT_EQ(d.main.Canv.ClientWidth, 550);
    EXPECT_EQ(d.main.Canv.ClientHeight, 320);
}

TEST(DrawGraph, FromTheBatchTheWindowStaysHidden) {
    Drawn d(kLinear);
    int shown = 0;
    QObject::connect(&d.main, &TfMain::ShowGraphWindow, [&] { ++shown; });
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(shown, 0);
    EXPECT_FALSE(d.main.Canv.Shown);
    EXPECT_TRUE(d.main.Enabling().menuGraphSave);
}

TEST(DrawGraph, FailureTable) {
    struct Case {
        const char* name;
        std::string content;
        std::function<void(TfMain&)> prepare;
        std::string message;
        bool raised = false;
    } cases[] = {
        {"no Y column", kLinear,
         [](TfMain& m) {
             for (int n = 0; n < m.SeriesCount(); ++n) m.Series(n).Plotted = false;
         },
         "Yｺﾗﾑが選択されていません"},
        {"a cell that is no number", kLinear, [](TfMain& m) { m.EditCell(2, 2, "4O"); },
         "'4O' は浮動小数点ではありません", true},
        {"no row with both values", "1 2\n3 4\n5 6\n",
         [](TfMain& m) {
             m.EditCell(2, 1, "");
             m.EditCell(1, 2, " ");
             m.EditCell(2, 3, "NaN");
         },
         TfMain::kNoPointsText},
        {"log Y with no point above 0", "1 0\n2 -5\n",
         [](TfMain& m) { m.Doc.Y().Type = AxisKind::Ln; }, TfMain::kNoPointsText},
        {"equal fixed limits", kLinear,
         [](TfMain& m) {
             m.Doc.X().Autosize = false;
             m.Doc.X().Min = m.Doc.X().Max = 5;
         },
         "X軸の範囲 5 ～ 5 ではグラフを描けません"},
        {"a fixed log limit at 0", "1 1\n2 5\n",
         [](TfMain& m) {
             m.Doc.Y().Type = AxisKind::Log10;
             m.Doc.Y().Autosize = false;
             m.Doc.Y().Min = 0;
             m.Doc.Y().Max = 10;
         },
         "Y軸の範囲 0 ～ 10 ではグラフを描けません"},
        {"equal X for the spline", "1 1\n1 2\n2 3\n",
         [](TfMain& m) { m.Series(1).Style.Hokan = CurveMethod::Spline; },
         "同じX値に二つ以上のY値が与えられています(スプライン補完)"},
    };
    for (const Case& c : cases) {
        Drawn d(c.content);
        c.prepare(d.main);
        bool drawn = true;
        bool raised = false;
        try {
            drawn = d.main.DrawGraph();
        } catch (const RaisedError& e) {
            raised = true;
            d.sink.Texts.push_back(e.Text());
        }
        EXPECT_FALSE(drawn && !raised) << c.name;
        EXPECT_EQ(raised, c.raised) << c.name;
        ASSERT_EQ(d.sink.Texts.size(), 1u) << c.name;
        EXPECT_EQ(d.sink.Texts[0], c.message) << c.name;
        EXPECT_FALSE(d.main.Enabling().menuGraphSave) << c.name;
    }
}

// The grid holds numbers; a drawing reads each cell as the number its
// text shows (15 significant digits), and an edited cell as its text.
TEST(DrawGraph, CellsAreReadAsTheirTextsShowThem) {
    Drawn d("1 0.12345678901234567\n2 7\n3 1e-320\n");
    EXPECT_EQ(d.main.DataG().Cell(2, 1), "0.123456789012346");
    EXPECT_EQ(d.main.DataG().Cell(0, 3), "3");  // the row number
    d.main.EditCell(2, 2, " 8 ");
    ASSERT_TRUE(d.main.DrawGraph(false));
    const PointColumn& y = d.main.LineImage(1).Y;
    ASSERT_EQ(y.size(), 3u);
    EXPECT_EQ(y[0], StrToFloat("0.123456789012346"));
    EXPECT_EQ(y[1], 8);
    EXPECT_EQ(y[2], StrToFloat(d.main.DataG().Cell(2, 3)));
    EXPECT_EQ(d.main.DataG().Cell(2, 2), " 8 ");
}

// An empty cell, from the file or cleared in the grid, is a gap: left out
// of the ranges and the marks, and the polyline breaks there.
TEST(DrawGraph, EmptyCellsAreGapsInTheGraph) {
    // Column 2 lacks its value at X = 50; column 3 at X = 1000, far right.
    Drawn d("0 0 10\n25 25 20\n50 nan 30\n75 75 40\n100 100 50\n1000 20\n");
    d.main.Series(1).Style.MarkType = MarkKind::No;
    d.main.Series(2).Style.MarkType = MarkKind::Shikaku2;
    d.main.EditCell(3, 2, "");  // cleared by the user: X = 25
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_TRUE(d.sink.Texts.empty());
    EXPECT_EQ(d.main.Doc.X().Max, 1000);  // column 2 has a Y at X = 1000
    EXPECT_EQ(d.main.Doc.Y().Min, 0);
    EXPECT_EQ(d.main.Doc.Y().Max, 100);

    d.main.EditCell(2, 6, "");  // now no series has a point at X = 1000
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(d.main.Doc.X().Max, 100);
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ReplayPicture(painter, d.main.PlotPicture);
    painter.end();
    auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    // Column 2: the line from (0, 0) to (25, 25), then nothing up to (75, 75).
    EXPECT_TRUE(dark(30, 200 - 20));
    EXPECT_FALSE(dark(112, 200 - 75));
    EXPECT_FALSE(dark(150, 100));
    EXPECT_TRUE(dark(262, 25));
    // Column 3: marks at X = 0, 50, 75 and 100 only.
    const PixelPoint at25 = d.main.LineImage(2).DataToPixel(25, 20);
    EXPECT_FALSE(dark(at25.x, at25.y - 6));  // no mark (the line passes below)
    const PixelPoint at50 = d.main.LineImage(2).DataToPixel(50, 30);
    EXPECT_TRUE(dark(at50.x + 3, at50.y - 3));
}

TEST(DrawGraph, XColumnChoices) {
    Drawn d("10 1 2 3 4\n20 2 3 4 5\n30 4 5 6 7\n");
    d.main.Series(2).Style.AxisX = 7;  // beyond the 5 columns: column 1 from now on
    d.main.Series(3).Style.AxisX = 0;  // the header column: the row numbers
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(d.main.Series(2).Style.AxisX, 1);
    EXPECT_EQ(d.main.LineImage(3).X, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(d.main.LineImage(1).X, (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(d.main.Doc.X().Min, 0);  // the row numbers widen the X range
}

// Read or typed, an infinity is kept in the grid as the user sees it and
// drawn as nothing: no mark, no line, no part of a range.
TEST(DrawGraph, InfinitiesAreNoPoints) {
    Drawn d("0 1\n1 inf\n2 3\n3 -Infinity\n4 5\n5 6\n");
    EXPECT_EQ(d.main.DataG().Cell(2, 2), "inf");
    EXPECT_EQ(d.main.DataG().Cell(2, 4), "-inf");
    d.main.EditCell(2, 6, "+INF");
    ASSERT_TRUE(d.main.DrawGraph(false));
    const PointColumn& y = d.main.LineImage(1).Y;
    ASSERT_EQ(y.size(), 6u);
    for (int i : {1, 3, 5}) EXPECT_TRUE(std::isnan(y[std::size_t(i)])) << i;
    EXPECT_EQ(d.main.Doc.X().Max, 4);  // X = 5 has no point now
    EXPECT_EQ(d.main.Doc.Y().Max, 5);
    d.main.EditCell(2, 6, "abc");  // other text still stops the drawing
    EXPECT_THROW(d.main.DrawGraph(false), RaisedError);
}

// A logarithmic axis leaves out the points it cannot show and says how
// many; a column also used on the linear axis keeps its values there.
TEST(DrawGraph, LogAxesLeaveOutPointsAtOrBelowZero) {
    Drawn d("0 -1 5\n1 2 6\n2 0 7\n3 4 8\n");
    d.main.Series(2).Style.AxisX = 2;  // column 2 is X of series 3 and Y of series 2
    d.main.Doc.Y().Type = AxisKind::Log10;
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(d.sink.Texts, std::vector<std::string>{"Y の 2 点は 0 以下なので対数軸に描けません"});
    const PointColumn& y2 = d.main.LineImage(1).Y;
    EXPECT_TRUE(std::isnan(y2[0]) && std::isnan(y2[2]));
    EXPECT_EQ(d.main.LineImage(2).X, (std::vector<double>{-1, 2, 0, 4}));  // linear X keeps them
    EXPECT_EQ(d.main.Doc.X().Min, -1);
    // The series read the grid's own numbers; points left out changed a
    // copy, never the grid.
    EXPECT_EQ(d.main.LineImage(2).X.data(), d.main.DataG().ColumnNumbers(2));
    EXPECT_EQ(d.main.LineImage(2).Y.data(), d.main.DataG().ColumnNumbers(3));
    EXPECT_FALSE(d.main.LineImage(1).Y.IsView());
    EXPECT_EQ(d.main.DataG().Cell(2, 1), "-1");

    d.sink.Texts.clear();
    d.main.Doc.X().Type = AxisKind::Ln;
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(d.sink.Texts,
              (std::vector<std::string>{"X の 3 点は 0 以下なので対数軸に描けません\n"
                                        "Y の 2 点は 0 以下なので対数軸に描けません"}));
    EXPECT_GT(d.main.Doc.X().Min, 0);
}

// A file of one column is drawn against the row number at once.
TEST(DrawGraph, OneColumnAgainstTheRowNumber) {
    Drawn d("5\n7\n6\n");
    ASSERT_EQ(d.main.SeriesCount(), 1);
    EXPECT_TRUE(d.main.Series(0).Plotted);
    EXPECT_EQ(d.main.Series(0).Style.AxisX, kRowNumberAxisX);
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(d.main.LineImage(0).X, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(d.main.LineImage(0).Y, (std::vector<double>{5, 7, 6}));
}

// With round steps, automatic limits and ticks lie at multiples of 1, 2,
// 2.5 or 5 x 10^k; without, the limits are as they always were.
TEST(DrawGraph, RoundTickStepsAsAnOption) {
    Drawn d("1900 3\n1950 5\n2025 4\n");
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_NE(d.main.Doc.X().Max, 2025);
    d.main.Doc.X().NiceTicks = true;
    d.main.Doc.Y().NiceTicks = true;
    d.main.Doc.Y().Type = AxisKind::Log10;
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(d.main.Doc.X().Min, 1900);
    EXPECT_EQ(d.main.Doc.X().Max, 2025);
    EXPECT_EQ(d.main.AllImage.XLargeGrid, 5);
    EXPECT_EQ(d.main.AllImage.XSmallGrid, 5);
    EXPECT_EQ(d.main.AllImage.YSmallGrid, 9);  // 2 to 9 times each power
    EXPECT_EQ(Captions(d.main.XNumbers),
              (std::vector<std::string>{"1900", "1925", "1950", "1975", "2000", "2025"}));
    // Fixed limits stay; the ticks inside them are round.
    d.main.Doc.X().Autosize = false;
    d.main.Doc.X().Min = 1893;
    d.main.Doc.X().Max = 2031;
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(d.main.Doc.X().Min, 1893);
    EXPECT_EQ(Captions(d.main.XNumbers),
              (std::vector<std::string>{"1900", "1920", "1940", "1960", "1980", "2000", "2020"}));
    const int at1900 = d.main.Doc.Graph.Left + int((1900 - 1893) / 138.0 * d.main.Doc.Graph.Width);
    const TMathLabel& first = *d.main.XNumbers.front();
    EXPECT_NEAR(first.Left + first.Width / 2, at1900, 1);
}

TEST(DrawGraph, FixedLimitsAreUsedAsSet) {
    Drawn d(kLinear);
    d.main.Doc.X().Autosize = false;
    d.main.Doc.X().Min = 20;
    d.main.Doc.X().Max = 40;
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(d.main.Doc.X().Min, 20);
    EXPECT_EQ(d.main.Doc.X().Max, 40);
    EXPECT_EQ(d.main.LineImage(1).Xmin, 20);
}

// Error bars come from their columns, widen the automatic range, lie
// under the marks; a column the file lacks is told and left out.
TEST(DrawGraph, ErrorBarsFromColumns) {
    Drawn d("0 10 1 4\n1 20 2 5\n2 30 3 6\n", false);
    d.main.Series(2).Plotted = d.main.Series(3).Plotted = false;
    SeriesStyle& style = d.main.Series(1).Style;
    style.MarkType = MarkKind::Maru2;
    ASSERT_TRUE(d.main.DrawGraph(false));
    const double maxWithout = d.main.Doc.Y().Max;
    style.ErrorY = 4;  // plus 4, 5, 6
    style.ErrorYMinus = 3;
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_GT(d.main.Doc.Y().Max, maxWithout);
    EXPECT_GE(d.main.Doc.Y().Max, 36);
    EXPECT_LE(d.main.Doc.Y().Min, 9);
    // The bar's line comes before the mark's ellipse in the picture.
    const auto& ops = d.main.PlotPicture.Ops();
    const auto line = std::find_if(ops.begin(), ops.end(),
                                   [](const PictureOp& op) { return op.Kind == OpKind::LineTo; });
    const auto mark = std::find_if(ops.begin(), ops.end(),
                                   [](const PictureOp& op) { return op.Kind == OpKind::Ellipse; });
    ASSERT_NE(line, ops.end());
    EXPECT_LT(line - ops.begin(), mark - ops.begin());
    EXPECT_TRUE(d.sink.Texts.empty());

    style.ErrorX = 9;
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(d.sink.Texts,
              std::vector<std::string>{"'DATA2' の誤差の列 9 はありません (データは 4 列です)"});
}

TEST(ComposeGraph, LayersAtTheirPlaces) {
    Drawn d(kLinear);
    ASSERT_TRUE(d.main.DrawGraph(false));
    QImage image = PictureToImage(d.main.ComposeGraph());
    EXPECT_EQ(image.size(), QSize(550, 320));
    // The border strokes just outside the plot area show.
    EXPECT_EQ(image.pixelColor(80 + 301, 150), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(80 + 150, 50 + 201), QColor(Qt::black));
    // A grid line of the frame at its place on the canvas.
    EXPECT_EQ(image.pixelColor(80 + 75, 50 + 30), QColor(210, 210, 210));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));
    // The legend only while it is shown.
    const int lx = d.main.Doc.Sample.Left, ly = d.main.Doc.Sample.Top;
    EXPECT_EQ(image.pixelColor(lx, ly), QColor(Qt::black));
    d.main.Canv.SampleBase.Visible = false;
    image = PictureToImage(d.main.ComposeGraph());
    EXPECT_EQ(image.pixelColor(lx, ly), QColor(Qt::white));
    // A hidden label is not in it.
    TMathLabel& title = d.main.Canv.Graphtitle;
    auto inked = [&](const QImage& img) {
        int n = 0;
        for (int y = title.Top; y < title.Top + title.Height; ++y)
            for (int x = title.Left; x < title.Left + title.Width; ++x)
                n += img.pixelColor(x, y) != QColor(Qt::white);
        return n;
    };
    EXPECT_GT(inked(image), 20);
    title.Visible = false;
    EXPECT_EQ(inked(PictureToImage(d.main.ComposeGraph())), 0);
}

}  // namespace

namespace {

// Settings a configuration file may hold that would make a drawing take
// minutes or all memory.
TEST(DrawGraph, RefusesSettingsTooLargeToDraw) {
    struct Case {
        std::function<void(TfMain&)> set;
        const char* message;
    } cases[] = {
        {[](TfMain& m) { m.Doc.X().Large = 2000000000; },
         "X軸 主目盛り数 2000000000 は大きすぎます (1000 まで)"},
        {[](TfMain& m) { m.Doc.Y().Small = 5000; },
         "Y軸 副目盛り数 5000 は大きすぎます (1000 まで)"},
        {[](TfMain& m) { m.Doc.Graph.Width = 100000; },
         "グラフの幅 100000 は大きすぎます (10000 まで)"},
        {[](TfMain& m) { m.Doc.Graph.Canvasheight = 20000; },
         "キャンバスの高さ 20000 は大きすぎます (10000 まで)"},
        // Font sizes in points, typed or read: their pixel heights overflowed.
        {[](TfMain& m) { m.Doc.Fonts.Num.Size = 737095516; },
         "数字 ﾌｫﾝﾄｻｲｽﾞ 737095516 は大きすぎます (1000 まで)"},
        {[](TfMain& m) { m.Doc.Fonts.Graphtitle.Size = 1001; },
         "ﾀｲﾄﾙ ﾌｫﾝﾄｻｲｽﾞ 1001 は大きすぎます (1000 まで)"},
        {[](TfMain& m) { m.Doc.Fonts.Sample.Size = -2147483647 - 1; },
         "凡例 ﾌｫﾝﾄｻｲｽﾞ -2147483648 は小さすぎます (-1000 から)"},
    };
    for (const Case& c : cases) {
        Drawn d(kLinear);
        c.set(d.main);
        EXPECT_FALSE(d.main.DrawGraph(false));
        EXPECT_EQ(d.sink.Texts, std::vector<std::string>{c.message});
    }
    // The font sizes at the limits still draw.
    for (const int size : {1000, -1000}) {
        Drawn d(kLinear);
        d.main.Doc.X().TitleFont.Size = size;
        d.main.Doc.Y().TitleFont.Size = size;
        d.main.Doc.Fonts.Num.Size = size;
        EXPECT_TRUE(d.main.DrawGraph(false)) << size;
        EXPECT_TRUE(d.sink.Texts.empty()) << size;
    }
    // A data range wider than the doubles hold ends, refused, at once.
    Drawn wide("0 -1e308\n1 1e308\n");
    EXPECT_FALSE(wide.main.DrawGraph(false));
    EXPECT_EQ(wide.sink.Texts,
              std::vector<std::string>{"Y軸の範囲 -1E308 ～ 1E308 ではグラフを描けません"});
}

}  // namespace
