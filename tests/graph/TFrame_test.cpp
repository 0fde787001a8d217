#include "graph/TFrame.h"

#include <gtest/gtest.h>
#include <QImage>

#include <set>

#include "platform/PictureReplay.h"
#include "plot/PlotNames.h"

namespace {

const QColor kGrey(210, 210, 210);
const QColor kLogGrey(230, 230, 230);

TFrame DefaultFrame(int w = 300, int h = 200) {
    TFrame f;
    f.Xsize = w;
    f.Ysize = h;
    f.XLargeGrid = f.YLargeGrid = 4;
    f.XSmallGrid = f.YSmallGrid = 5;
    f.LargePen = 1;
    f.SmallPen = 0;
    f.GridLineWidth = 1;
    f.LargeLength = 6;
    f.SmallLength = 4;
    f.Xtype = f.Ytype = AxisKind::Linear;
    f.Xmin = f.Ymin = 0;
    f.Xmax = f.Ymax = 100;
    return f;
}

// The frame picture on a larger white surface, offset by (10, 10) so the
// border strokes outside the plot area show.
QImage Render(const TFrame& f) {
    QImage image(f.Xsize + 20, f.Ysize + 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ReplayPicture(painter, f.FramePicture, 10, 10);
    return image;
}

QColor At(const QImage& image, int x, int y) {
    return image.pixelColor(x + 10, y + 10);
}

// The columns of row y (inside the plot area) that hold the colour.
std::set<int> ColumnsWith(const QImage& image, int y, const QColor& color, int w) {
    std::set<int> columns;
    for (int x = 2; x < w - 1; ++x)
        if (At(image, x, y) == color) columns.insert(x);
    return columns;
}

TEST(TFrame, DefaultGridTicksAndBorder) {
    TFrame f = DefaultFrame();
    f.DrawFrame();
    const QImage image = Render(f);
    // Grey lines at the inner division points, across the area.
    EXPECT_EQ(ColumnsWith(image, 30, kGrey, 300), (std::set<int>{75, 150, 225}));
    for (int y : {7, 99, 193}) EXPECT_EQ(At(image, 150, y), kGrey) << y;
    std::set<int> rows;
    for (int y = 2; y < 199; ++y)
        if (At(image, 30, y) == kGrey) rows.insert(y);
    EXPECT_EQ(rows, (std::set<int>{50, 100, 150}));
    // Major ticks of 6 pixels, black, on all four edges.
    for (int x : {75, 150, 225}) {
        for (int y = 1; y < 6; ++y) EXPECT_EQ(At(image, x, y), QColor(Qt::black)) << x << "," << y;
        EXPECT_EQ(At(image, x, 6), kGrey) << x;
        for (int y = 194; y < 200; ++y) EXPECT_EQ(At(image, x, y), QColor(Qt::black)) << x;
        EXPECT_EQ(At(image, x, 193), kGrey) << x;
    }
    for (int y : {50, 100, 150}) {
        for (int x = 1; x < 6; ++x) EXPECT_EQ(At(image, x, y), QColor(Qt::black)) << y;
        EXPECT_EQ(At(image, 6, y), kGrey) << y;
        for (int x = 294; x < 300; ++x) EXPECT_EQ(At(image, x, y), QColor(Qt::black)) << y;
    }
    // No minor ticks by default.
    EXPECT_EQ(At(image, 15, 2), QColor(Qt::white));
    // The border: two pixels, its right and bottom strokes at W, W + 1 and
    // H, H + 1, just outside the plot area.
    for (int y : {20, 100}) {
        EXPECT_EQ(At(image, 300, y), QColor(Qt::black));
        EXPECT_EQ(At(image, 301, y), QColor(Qt::black));
        EXPECT_EQ(At(image, 302, y), QColor(Qt::white));
        EXPECT_EQ(At(image, 0, y), QColor(Qt::black));
    }
    EXPECT_EQ(At(image, 100, 200), QColor(Qt::black));
    EXPECT_EQ(At(image, 100, 201), QColor(Qt::black));
    EXPECT_EQ(At(image, 100, 202), QColor(Qt::white));
    EXPECT_EQ(At(image, 100, 0), QColor(Qt::black));
}

TEST(TFrame, GridSettingsChangeWhatIsDrawn) {
    struct Case {
        const char* name;
        int gridWidth, largePen, smallPen, largeX;
        std::set<int> greyColumnsAtRow30;
        bool majorTickAt75;
        bool minorTickAt15;
    } cases[] = {
        {"no grid lines, ticks stay", 0, 1, 0, 4, {}, true, false},
        {"no major ticks", 1, 0, 0, 4, {75, 150, 225}, false, false},
        {"minor ticks", 1, 1, 1, 4, {75, 150, 225}, true, true},
        {"no grid for zero divisions", 1, 1, 1, 0, {}, false, false},
    };
    for (const Case& c : cases) {
        TFrame f = DefaultFrame();
        f.GridLineWidth = c.gridWidth;
        f.LargePen = c.largePen;
        f.SmallPen = c.smallPen;
        f.XLargeGrid = c.largeX;
        f.DrawFrame();
        const QImage image = Render(f);
        EXPECT_EQ(ColumnsWith(image, 30, kGrey, 300), c.greyColumnsAtRow30) << c.name;
        EXPECT_EQ(At(image, 75, 3) == QColor(Qt::black), c.majorTickAt75) << c.name;
        EXPECT_EQ(At(image, 15, 2) == QColor(Qt::black), c.minorTickAt15) << c.name;
    }
}

TEST(TFrame, MinorTicksOnDivisionPointsOnlyOnX) {
    TFrame f = DefaultFrame();
    f.LargePen = 0;
    f.SmallPen = 1;
    f.GridLineWidth = 0;
    f.DrawFrame();
    const QImage image = Render(f);
    EXPECT_EQ(At(image, 75, 2), QColor(Qt::black));  // X: the last minor tick is the next point
    EXPECT_EQ(At(image, 2, 50), QColor(Qt::white));  // Y: none on division points
    EXPECT_EQ(At(image, 2, 10), QColor(Qt::black));  // Y minor at 10, from column 0
    EXPECT_EQ(At(image, 0, 10), QColor(Qt::black));
}

TEST(TFrame, UnevenDivisions) {
    TFrame f = DefaultFrame(100, 60);
    f.XLargeGrid = 3;
    f.DrawFrame();
    EXPECT_EQ(ColumnsWith(Render(f), 22, kGrey, 100), (std::set<int>{33, 66}));
}

TEST(TFrame, LogarithmicGrid) {
    struct Case {
        const char* name;
        double xmin, xmax;
        int small;
        std::set<int> majorColumns;  // logarithmic grey lines at row 30
        std::vector<double> minorValues;
    } cases[] = {
        {"1 to 1000", 1, 1000, 9, {100, 200}, {2, 9, 20, 90, 200, 900}},
        {"2 to 500", 2, 500, 9, {}, {2, 3, 90, 200, 500}},
        {"inside one decade", 2, 8, 9, {}, {2, 5, 8}},
    };
    for (const Case& c : cases) {
        TFrame f = DefaultFrame();
        f.Xtype = AxisKind::Log10;
        f.Xmin = c.xmin;
        f.Xmax = c.xmax;
        f.XSmallGrid = c.small;
        f.SmallPen = 1;
        f.DrawFrame();
        const QImage image = Render(f);
        std::set<int> majors = ColumnsWith(image, 30, kLogGrey, 300);
        if (std::string(c.name) == "2 to 500") {
            const int p10 = f.TickToPixel(10, 0).x, p100 = f.TickToPixel(100, 0).x;
            EXPECT_EQ(majors, (std::set<int>{p10, p100})) << c.name;
        } else {
            EXPECT_EQ(majors, c.majorColumns) << c.name;
        }
        for (double v : c.minorValues) {
            const int px = f.TickToPixel(v, 0).x;
            if (px <= 1 || px >= 299) continue;  // under the border
            EXPECT_EQ(At(image, px, 2), QColor(Qt::black)) << c.name << " minor " << v;
        }
    }
}

TEST(TickToPixel, TruncatesWithoutTheHalfPixel) {
    struct Case {
        AxisKind type;
        double min, max, value;
        int column;
    } cases[] = {
        {AxisKind::Linear, 0, 100, 33.5, 100}, {AxisKind::Linear, 0, 100, -0.1, 0},
        {AxisKind::Linear, 0, 100, 0, 0},      {AxisKind::Linear, 0, 100, 100, 300},
        {AxisKind::Log10, 1, 1000, 10, 100},   {AxisKind::Log10, 1, 1000, 100, 200},
    };
    for (const Case& c : cases) {
        TFrame f = DefaultFrame();
        f.Xtype = c.type;
        f.Xmin = c.min;
        f.Xmax = c.max;
        EXPECT_EQ(f.TickToPixel(c.value, 0).x, c.column) << c.value;
    }
    TFrame f = DefaultFrame();
    EXPECT_EQ(f.TickToPixel(0, 0), (PixelPoint{0, 200}));
    EXPECT_EQ(f.TickToPixel(100, 100), (PixelPoint{300, 0}));
    EXPECT_EQ(f.DataToPixel(33.5, 0).x, 101);  // the series add the half pixel
}

}  // namespace
