// Curves and marks keep where their points lie exactly, and the smooth
// outputs draw them there.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <string>
#include <vector>

#include "platform/PictureReplay.h"
#include "platform/PngWriter.h"
#include "platform/SvgWriter.h"
#include "plot/PlotCases.h"

namespace {

// Where a recorded point lies exactly.
double ExactX(const PictureOp& op) {
    return op.A + double(op.Exact.x);
}
double ExactY(const PictureOp& op) {
    return op.B + double(op.Exact.y);
}

// The line y = a + b x of the data at a pixel column of the 400 x 300 area
// with both axes 0 to 100, in pixels.
double LineAtColumn(double column, double a = 20, double b = 0.07) {
    return 300 - (a + b * column / 4) * 3;
}

TEST(ExactCurves, EveryPointKeptLiesOnTheExactCurve) {
    struct Case {
        const char* name;
        CurveMethod hokan;
        int points;
        double from, to;  // the data X of the points
    };
    const Case cases[] = {
        {"a few points", CurveMethod::None, 7, 3, 97},
        {"dense points, reduced per column", CurveMethod::None, 20000, 0, 100},
        {"clipped at both sides", CurveMethod::None, 3, -50, 150},
        {"a fitted straight line", CurveMethod::Min2, 30, 0, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<double> x, y;
        for (int i = 0; i < c.points; ++i) {
            x.push_back(c.from + (c.to - c.from) * i / (c.points - 1));
            y.push_back(20 + 0.07 * x.back());
        }
        TPlot plot = Series(x, y);
        plot.Hokan = c.hokan;
        plot.Dimension = 1;
        ASSERT_TRUE(plot.PlotLine());
        int points = 0;
        bool offPixels = false;
        for (const PictureOp& op : plot.CurveLayer.Ops()) {
            if (op.Kind != OpKind::MoveTo && op.Kind != OpKind::LineTo) continue;
            ++points;
            EXPECT_NEAR(ExactY(op), LineAtColumn(ExactX(op)), 1e-3) << op.A << "," << op.B;
            EXPECT_LE(std::abs(op.Exact.x) + std::abs(op.Exact.y), 2.0f);
            offPixels |= op.Exact.y != 0;
        }
        EXPECT_GE(points, 2);
        EXPECT_TRUE(offPixels);
    }
    // Marks: each shape lies where its point does, off the pixel.
    TPlot marks = Series({10.1, 50.37}, {20.2, 80.05});
    marks.MarkType = MarkKind::Shikaku;
    marks.PlotMark();
    const std::vector<PictureOp> boxes = OpsOf(marks.CurveLayer, OpKind::Rectangle);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NEAR((boxes[0].A + boxes[0].C) / 2.0 + boxes[0].Exact.x, 40.4, 1e-4);
    EXPECT_NEAR((boxes[0].B + boxes[0].D) / 2.0 + boxes[0].Exact.y, 300 - 60.6, 1e-4);
    EXPECT_NEAR((boxes[1].A + boxes[1].C) / 2.0 + boxes[1].Exact.x, 201.48, 1e-4);
}

// The curve of a gently sloping line, printed at 600 dpi: in every device
// column its ink is centred on the exact line, where the pixel grid would
// put steps of a whole 96-dpi pixel (6.25 device pixels).
TEST(ExactCurves, SmoothOutputsDrawTheExactCurve) {
    std::vector<double> x, y;
    for (int i = 0; i <= 100; ++i) {
        x.push_back(i);
        y.push_back(20.1 + 0.0695 * i);
    }
    TPlot plot = Series(x, y);
    ASSERT_TRUE(plot.PlotLine());
    const Picture& picture = plot.CurveLayer;
    const double scale = 600 / 96.0;
    const QImage image = PictureAtResolution(picture, PngOptions{.Dpi = 600});
    double worst = 0;
    for (int column = 20; column < image.width() - 20; ++column) {
        double ink = 0, moment = 0;
        for (int row = 0; row < image.height(); ++row) {
            const double darkness = 1 - qGray(image.pixel(column, row)) / 255.0;
            ink += darkness;
            moment += darkness * (row + 0.5);
        }
        ASSERT_GT(ink, 0) << column;
        // The one-pixel stroke runs through the centres of its pixels.
        const double expected =
            (LineAtColumn((column + 0.5) / scale - 0.5, 20.1, 0.0695) + 0.5) * scale;
        worst = std::max(worst, std::abs(moment / ink - expected));
    }
    EXPECT_LT(worst, 0.5);
    // SVG: the points as they lie, to a hundredth of a pixel.
    const std::string svg = SvgBytes(picture).toStdString();
    EXPECT_NE(svg.find("<polyline points=\"0.5,240.2 4.5,239.99 8.5,239.78 "), std::string::npos)
        << svg;
    // The pixel outputs are the pixels: the 96-dpi exact PNG is the BMP's.
    EXPECT_EQ(PictureAtResolution(picture, PngOptions{.Exact = true}),
              PictureToImage(picture).convertToFormat(QImage::Format_RGB32));
}

}  // namespace
