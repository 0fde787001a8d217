#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <limits>

#include "TestSupport.h"
#include "app/Drawn.h"
#include "app/TfMain.h"
#include "graph/AxisNumbers.h"
#include "platform/BmpWriter.h"
#include "platform/EmfWriter.h"
#include "platform/FontSubstitution.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/PictureReplay.h"
#include "platform/RaisedError.h"
#include "plot/PlotNames.h"

namespace {

TEST(AxisNumbers, LinearCaptionsAndPlaces) {
    Drawn d(kLinear);
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(Captions(d.main.XNumbers), (std::vector<std::string>{"0", "25", "50", "75", "100"}));
    EXPECT_EQ(Captions(d.main.YNumbers),
              (std::vector<std::string>{" 100", "  75", "  50", "  25", " 0"}));
    const int L = 80, T = 50, W = 300, H = 200;
    for (std::size_t i = 0; i < 5; ++i) {
        const TMathLabel& x = *d.main.XNumbers[i];
        EXPECT_EQ(x.Name, "Xnum" + std::to_string(i));
        EXPECT_EQ(x.Top, T + H + 5);
        const int centred = int(W / 4.0 * double(i) + L - x.Width * 0.5);
        EXPECT_EQ(x.Left, std::max(centred, L - 4)) << i;
        const TMathLabel& y = *d.main.YNumbers[i];
        EXPECT_EQ(y.Top, (H / 4) * int(i) + T - y.Height / 2) << i;
        EXPECT_EQ(y.Left, L - y.Width - 5) << i;
    }
}

// Numbers that would overprint are thinned to every k-th, the smallest k
// that leaves a character's width between them; ticks stay.
TEST(AxisNumbers, NumbersThatWouldOverlapAreThinned) {
    struct Case {
        const char* name;
        std::string content;
        AxisKind xType;
        AxisKind yType;
        int largeX;
        std::vector<std::string> x, y;
    } cases[] = {
        {"wide X numbers",
         "123456.3 1\n123456.7 2\n",
         AxisKind::Linear,
         AxisKind::Linear,
         4,
         {"123456.3", "(hidden)", "123456.5", "(hidden)", "123456.7"},
         {" 2", "1.75", "1.5", "1.25", " 1"}},
        {"twelve decades on X",
         "1e-5 1\n1e7 2\n",
         AxisKind::Log10,
         AxisKind::Linear,
         4,
         // every 2nd power, 10^0 among them
         {"(hidden)", "10^ -4", "(hidden)", "10^ -2", "(hidden)", "10^ 0", "(hidden)", "10^ 2",
          "(hidden)", "10^ 4", "(hidden)", "10^ 6", "(hidden)"},
         {" 2", "1.75", "1.5", "1.25", " 1"}},
    };
    for (const Case& c : cases) {
        Drawn d(c.content);
        d.main.Doc.X().Type = c.xType;
        d.main.Doc.Y().Type = c.yType;
        d.main.Doc.X().Large = c.largeX;
        ASSERT_TRUE(d.main.DrawGraph(false)) << c.name;
        EXPECT_EQ(Captions(d.main.XNumbers), c.x) << c.name;
        EXPECT_EQ(Captions(d.main.YNumbers), c.y) << c.name;
    }
}

// Wide numbers, long labels and legend texts: the plot area and the
// legend move in so that every text lies inside the canvas.
TEST(DrawGraph, EveryTextStaysInsideTheCanvas) {
    struct Case {
        const char* name;
        std::string content;
        std::string legend;
    } cases[] = {
        {"ten-digit frequencies", "9192631765 1\n9192631775 2\n", ""},
        {"huge values", "1 7.75E300\n2 -7.75E300\n", ""},
        {"small negatives", "-0.00125 -0.00125\n0.00375 0.0625\n", ""},
        {"a long legend text", "1 2\n2 3\n", "Displacement of the cantilever tip (nm)"},
    };
    for (const Case& c : cases) {
        Drawn d(c.content);
        if (!c.legend.empty()) d.main.Series(1).LegendText = c.legend;
        d.main.Doc.Y().Title = "Resonance amplitude (arb. units)";
        ASSERT_TRUE(d.main.DrawGraph(false)) << c.name;
        const int W = d.main.Doc.Graph.Canvaswidth, H = d.main.Doc.Graph.Canvasheight;
        auto inside = [&](int left, int top, int width, int height, const std::string& what) {
            EXPECT_GE(left, 0) << c.name << ": " << what;
            EXPECT_GE(top, 0) << c.name << ": " << what;
            EXPECT_LE(left + width, W) << c.name << ": " << what;
            EXPECT_LE(top + height, H) << c.name << ": " << what;
        };
        for (const auto* numbers : {&d.main.XNumbers, &d.main.YNumbers})
            for (const auto& l : *numbers)
                if (l->Visible) inside(l->Left, l->Top, l->Width, l->Height, l->Caption());
        for (const TMathLabel* l :
             {&d.main.Canv.Graphtitle, &d.main.Canv.Xlabel, &d.main.Canv.Ylabel})
            inside(l->Left, l->Top, l->Width, l->Height, l->Caption());
        const ImageControl& legend = d.main.Canv.SampleBase;
        inside(legend.Left, legend.Top, legend.Width, legend.Height, "legend");
        EXPECT_EQ(d.main.Doc.Graph.Canvaswidth, 550) << c.name;  // the canvas keeps its size
    }
}

TEST(AxisNumbers, LogarithmicCaptionsAndPlaces) {
    Drawn d("1 1\n1000 5\n");
    d.main.Doc.X().Type = AxisKind::Log10;
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(Captions(d.main.XNumbers),
              (std::vector<std::string>{"10^ 0", "10^ 1", "10^ 2", "10^ 3"}));
    for (int i = 0; i < 4; ++i) {
        const TMathLabel& x = *d.main.XNumbers[std::size_t(i)];
        EXPECT_EQ(x.Left, std::max(int(80 + 100 * i - x.Width * 0.5), 76)) << i;
    }
    d.main.Doc.X().Autosize = false;
    d.main.Doc.X().Min = 2;
    d.main.Doc.X().Max = 500;
    d.main.Doc.Y().Type = AxisKind::Ln;
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(Captions(d.main.XNumbers),
              (std::vector<std::string>{"(hidden)", "10^ 1", "10^ 2", "(hidden)"}));
    EXPECT_EQ(d.main.XNumbers[0]->Caption(), "");
    // Y from e^0 to e^2 after the rounding of 1 to 5.
    EXPECT_EQ(Captions(d.main.YNumbers), (std::vector<std::string>{"e^0", "e^1", "e^2"}));
    const TMathLabel& top = *d.main.YNumbers[2];
    EXPECT_EQ(top.Top, 50 + d.main.AllImage.TickToPixel(0, std::exp(2.0)).y - top.Height / 2);
    EXPECT_EQ(top.Left, 80 - top.Width - 4);
}

// Time columns on X: limits and ticks at round hours, the date below the
// first number and where it changes, the X label below the dates; a
// column of numbers set to the date type is read as seconds since 1970.
TEST(AxisNumbers, DateAxesAtCalendarSteps) {
    ScopedTimeZone zone("UTC0");
    Drawn d("2024-01-31T01:10 1\n2024-01-31T13:00 3\n2024-02-01T02:50 2\n");
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(Captions(d.main.XNumbers),
              (std::vector<std::string>{"00:00", "06:00", "12:00", "18:00", "00:00", "06:00",
                                        "2024-01-31", "2024-02-01"}));
    const TMathLabel &first = *d.main.XNumbers[0], &date = *d.main.XNumbers[6];
    EXPECT_EQ(date.Top, first.Top + first.Height);
    EXPECT_EQ(date.Left, first.Left);
    EXPECT_GE(d.main.Canv.Xlabel.Top, date.Top + date.Height + 5);
    EXPECT_EQ(d.main.Doc.X().Min, 1706659200);  // 2024-01-31T00:00Z
    EXPECT_EQ(d.main.Doc.X().Max, 1706659200 + 30 * 3600);

    Drawn numbers("0 1\n86400 2\n345600 3\n");
    numbers.main.Doc.X().Type = AxisKind::Date;
    ASSERT_TRUE(numbers.main.DrawGraph(false));
    EXPECT_EQ(Captions(numbers.main.XNumbers),
              (std::vector<std::string>{"01-01", "01-02", "01-03", "01-04", "01-05", "1970"}));
}

TEST(AxisNumbers, DecisionsForFewAndManyDivisions) {
    Drawn d(kLinear);
    d.main.Doc.X().Large = 0;   // one number: the lower limit alone
    d.main.Doc.Y().Large = 40;  // more than 30 numbers
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(Captions(d.main.XNumbers), (std::vector<std::string>{"0"}));
    EXPECT_EQ(d.main.XNumbers[0]->Left, 76);
    EXPECT_EQ(d.main.YNumbers.size(), 41u);
    EXPECT_EQ(d.main.YNumbers[40]->Caption(), " 0");
}

TEST(LabelPlot, TitleAboveLabelsBelowAndLeft) {
    Drawn d(kLinear);
    ASSERT_TRUE(d.main.DrawGraph(false));
    const TMathLabel& title = d.main.Canv.Graphtitle;
    EXPECT_EQ(title.Caption(), "GRAPH TITLE");
    EXPECT_EQ(title.Font.Height, -19);
    EXPECT_EQ(title.Top, 50 - title.Height - 10);
    EXPECT_EQ(title.Left, 80 + 150 - title.Width / 2);
    const TMathLabel& x = d.main.Canv.Xlabel;
    EXPECT_EQ(x.Top, 50 + 200 + d.main.YNumbers[0]->Height + 10);
    EXPECT_EQ(x.Left, 80 + 150 - x.Width / 2);
    const TMathLabel& y = d.main.Canv.Ylabel;
    int leftmost = 10000;
    for (const auto& l : d.main.YNumbers) leftmost = std::min(leftmost, l->Left);
    EXPECT_EQ(y.Left, leftmost - y.Width - 10);
    EXPECT_EQ(y.Top, 50 + 100 - y.Height / 2);
    EXPECT_GT(y.Height, y.Width);  // turned by 90 degrees

    // With no Y number visible the label stands left of the plot area, not
    // at 10000 minus its width.
    for (auto& l : d.main.YNumbers) l->Visible = false;
    d.main.menuLabelPlotClick();
    EXPECT_EQ(y.Left, 80 - y.Width - 10);
}

// A series on the right axis: that axis ranges over its own series, has
// its ticks on the right border without grid lines (the left ticks on the
// left border alone), its numbers right of the plot area and its label
// right of them, turned like the left one.
TEST(RightAxis, OwnRangeTicksNumbersAndLabel) {
    Drawn d(kLinear);
    d.main.Series(2).Style.AxisY = SeriesStyle::kRightAxis;
    d.main.Doc.Y2().Large = 5;
    for (GraphSeries& s : d.main.Doc.Series) s.InLegend = false;  // no legend beside
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(d.main.Doc.Y().Min, 0);
    EXPECT_EQ(d.main.Doc.Y().Max, 100);
    EXPECT_LE(d.main.Doc.Y2().Min, 50);
    EXPECT_GE(d.main.Doc.Y2().Max, 80);
    EXPECT_GT(d.main.Doc.Y2().Min, 0);
    EXPECT_EQ(d.main.LineImage(2).Ymin, d.main.Doc.Y2().Min);
    EXPECT_EQ(d.main.LineImage(1).Ymax, 100);

    ASSERT_EQ(d.main.Y2Numbers.size(), 6u);
    const int L = 80, T = 50, W = 300, H = 200;
    int right = 0;
    for (std::size_t i = 0; i < 6; ++i) {
        const TMathLabel& n = *d.main.Y2Numbers[i];
        EXPECT_EQ(n.Name, "Y2num" + std::to_string(i));
        EXPECT_EQ(n.Left, L + W + 5) << i;
        EXPECT_EQ(n.Top, T + (H / 5) * int(i) - n.Height / 2) << i;
        EXPECT_EQ(n.Caption().front() == ' ', false) << n.Caption();
        right = std::max(right, n.Left + n.Width);
    }
    const TMathLabel& label = d.main.Canv.Y2label;
    EXPECT_TRUE(label.Visible);
    EXPECT_EQ(label.Caption(), "Y2 AXIS");
    EXPECT_EQ(label.Left, right + 10);
    EXPECT_EQ(label.Top, T + H / 2 - label.Height / 2);
    EXPECT_GT(label.Height, label.Width);

    QImage frame(W + 2, H + 2, QImage::Format_RGB32);
    frame.fill(Qt::white);
    {
        QPainter painter(&frame);
        ReplayPicture(painter, d.main.AllImage.FramePicture, 0, 0);
    }
    auto black = [&](int x, int y) { return frame.pixel(x, y) == qRgb(0, 0, 0); };
    auto white = [&](int x, int y) { return frame.pixel(x, y) == qRgb(255, 255, 255); };
    EXPECT_TRUE(black(3, 50));       // a left tick on the left border
    EXPECT_FALSE(black(W - 3, 50));  // ... and none on the right
    EXPECT_TRUE(black(W - 3, 40));   // a right tick on the right border
    EXPECT_TRUE(white(3, 40));       // ... none on the left
    EXPECT_TRUE(white(100, 40));     // ... and no grid line
    EXPECT_FALSE(white(100, 50));    // the left axis' grid line

    // A legend beside the plot area leaves the right axis room.
    for (GraphSeries& s : d.main.Doc.Series) s.InLegend = true;
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_LE(label.Left + label.Width + 10, d.main.Canv.SampleBase.Left);
    EXPECT_LT(d.main.Doc.Graph.Width, W);

    // Back on the left: the graph of one axis, no right axis drawn.
    d.main.Series(2).Style.AxisY = SeriesStyle::kLeftAxis;
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_TRUE(d.main.Y2Numbers.empty());
    EXPECT_FALSE(d.main.Canv.Y2label.Visible);
}

// Whatever the right axis is set to, a graph without a series on it is
// the graph of one Y axis, to the byte.
TEST(RightAxis, UnusedItLeavesTheGraphAsItWas) {
    Drawn plain(kLinear), set(kLinear);
    AxisSettings& y2 = set.main.Doc.Y2();
    y2.Type = AxisKind::Log10;
    y2.Autosize = false;
    y2.Min = 1;
    y2.Max = 1000;
    y2.Title = "p (hPa)";
    y2.Large = 7;
    set.main.Doc.Sample.AxisNote = true;
    set.main.Series(0).Style.AxisY = SeriesStyle::kRightAxis;  // not plotted
    ASSERT_TRUE(plain.main.DrawGraph(false));
    ASSERT_TRUE(set.main.DrawGraph(false));
    EXPECT_EQ(BmpBytes(set.main.ComposeGraph()), BmpBytes(plain.main.ComposeGraph()));
    EXPECT_EQ(EmfBytes(set.main.ComposeGraph()), EmfBytes(plain.main.ComposeGraph()));
}

// A logarithmic axis with fewer than two powers inside its limits numbers
// its limits too, at their pixels; a limit that would cover a power's
// number stays hidden.
TEST(AxisNumbers, LogarithmicAxesWithoutTwoPowersShowTheirLimits) {
    struct Case {
        double lo, hi;
        std::vector<std::string> captions;
    } cases[] = {
        {2, 8, {"(hidden)", "(hidden)", "2", "8"}},
        {5, 50, {"(hidden)", "10 ^1", "(hidden)", "5", "50"}},
        {9, 50, {"(hidden)", "10 ^1", "(hidden)", "(hidden)", "50"}},
        {1, 100, {"10 ^0", "10 ^1", "10 ^2"}},
    };
    for (const Case& c : cases) {
        Drawn d(kLinear);
        d.main.Doc.Y().Type = AxisKind::Log10;
        d.main.Doc.Y().Autosize = false;
        d.main.Doc.Y().Min = c.lo;
        d.main.Doc.Y().Max = c.hi;
        d.main.EditCell(2, 1, "3");  // no value at or below 0
        ASSERT_TRUE(d.main.DrawGraph(false));
        EXPECT_EQ(Captions(d.main.YNumbers), c.captions) << c.lo << " " << c.hi;
        const TMathLabel& top = *d.main.YNumbers.back();
        if (!top.Visible) continue;
        EXPECT_EQ(top.Top, 50 + d.main.AllImage.TickToPixel(0, c.hi).y - top.Height / 2);
        EXPECT_EQ(top.Left, 80 - top.Width - 4);
        EXPECT_LT(d.main.Canv.Ylabel.Left + d.main.Canv.Ylabel.Width, top.Left);
    }
}

TEST(ToLogFont, FontSizesBeyondTheLimitAreHeldAtIt) {
    const struct {
        int points;
        int height;
    } cases[] = {
        {14, -19},
        {-14, 18},  // a cell height
        {1000, -1333},
        {1001, -1333},
        {std::numeric_limits<int>::max(), -1333},
        {-1000, 1332},
        {std::numeric_limits<int>::min(), 1332},
    };
    for (const auto& c : cases) {
        FontSetting font;
        font.Size = c.points;
        EXPECT_EQ(ToLogFont(font).Height, c.height) << c.points;
    }
}

TEST(Legend, SizesForTickedAndUntickedRows) {
    Drawn d("x short longer\n1 2 3\n4 5 6\n", true);
    ASSERT_TRUE(d.main.DrawGraph(false));
    TLogFont font = ToLogFont(d.main.Doc.Fonts.Sample);
    const int widest = TextWidth(font, "longer");
    const int labelH = TextHeight(font, "longer");
    const int rowH = std::max(20, labelH + 4);
    const int w = 80 + widest + 10;
    EXPECT_TRUE(d.main.Canv.SampleBase.Visible);
    EXPECT_EQ(d.main.LegendPicture.Width(), 3 + w);
    EXPECT_EQ(d.main.LegendPicture.Height(), rowH * 2 + 3);
    EXPECT_EQ(d.main.Canv.SampleBase.Left, 390);
    EXPECT_EQ(d.main.Canv.SampleBase.Bitmap.size(), QSize(3 + w, rowH * 2 + 3));

    for (int n = 0; n < 3; ++n) d.main.Series(n).InLegend = false;
    d.main.menuExPlotClick();
    EXPECT_FALSE(d.main.Canv.SampleBase.Visible);
    EXPECT_EQ(d.main.LegendPicture.Width(), 3 + 90);
    EXPECT_EQ(d.main.LegendPicture.Height(), 3);
}

TEST(Legend, TheBoxShadowAndRowsInPixels) {
    Drawn d("1 2\n3 4\n");
    d.main.Doc.Sample.Shadowcolor = clRed;
    ASSERT_TRUE(d.main.DrawGraph(false));
    const QImage legend = PictureToImage(d.main.LegendPicture);
    const int w = d.main.LegendPicture.Width() - 3, h = d.main.LegendPicture.Height() - 3;
    EXPECT_EQ(legend.pixelColor(0, 0), QColor(Qt::black));        // box outline
    EXPECT_EQ(legend.pixelColor(w + 1, h + 1), QColor(Qt::red));  // shadow
    EXPECT_EQ(legend.pixelColor(w + 2, 1), QColor(Qt::white));    // above the shadow
    EXPECT_EQ(legend.pixelColor(40, h / 2), QColor(Qt::black));   // the sample's mark
}

}  // namespace
