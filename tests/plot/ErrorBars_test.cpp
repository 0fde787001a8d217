#include "plot/ErrorBars.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "TestSupport.h"
#include "plot/PlotCases.h"

namespace {

// Error bars: a line from the low to the high end, both end pixels
// painted, a cap across each end, nothing for a missing or negative
// error, clipped to the plot area, to the edge on a log axis.
TEST(PlotErrorBars, BarsCapsAndClipping) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        double y;
        std::vector<double> minus, plus;
        bool onX;
        int cap;
        std::vector<PixelPoint> strokes;
    } cases[] = {
        {"symmetric",
         50,
         {10},
         {10},
         false,
         3,
         {{200, 120}, {200, 181}, {197, 180}, {204, 180}, {197, 120}, {204, 120}}},
        {"asymmetric",
         50,
         {10},
         {20},
         false,
         3,
         {{200, 90}, {200, 181}, {197, 180}, {204, 180}, {197, 90}, {204, 90}}},
        {"no cap", 50, {10}, {10}, false, 0, {{200, 120}, {200, 181}}},
        {"the plus side alone", 50, {}, {10}, false, 0, {{200, 120}, {200, 151}}},
        {"missing and negative errors", 50, {nan}, {-1}, false, 3, {}},
        {"clipped at the top, no cap there",
         95,
         {10},
         {10},
         false,
         3,
         {{200, 0}, {200, 46}, {197, 45}, {204, 45}}},
        {"along X",
         50,
         {5},
         {5},
         true,
         3,
         {{180, 150}, {221, 150}, {180, 147}, {180, 154}, {220, 147}, {220, 154}}},
    };
    for (const Case& c : cases) {
        TPlot plot = Series({50}, {c.y});
        (c.onX ? plot.ErrorsX : plot.ErrorsY) = ErrorExtents{c.minus, c.plus};
        plot.ErrorCap = c.cap;
        plot.LineColor = clRed;
        EXPECT_EQ(plot.PlotErrorBars(), !c.strokes.empty()) << c.name;
        EXPECT_EQ(Strokes(plot.CurveLayer), c.strokes) << c.name;
    }

    // On a logarithmic axis a bar reaching 0 or below goes to the edge.
    TPlot log = Series({50}, {10});
    log.Ytype = AxisKind::Log10;
    log.Ymin = 1;
    log.Ymax = 100;
    log.ErrorsY = {{20}, {20}};
    log.ErrorCap = 2;
    ASSERT_TRUE(log.PlotErrorBars());
    const int top = log.DataToPixel(50, 30).y;
    EXPECT_EQ(Strokes(log.CurveLayer),
              (std::vector<PixelPoint>{{200, top}, {200, 301}, {198, top}, {203, top}}));
}

// Automatic ranges take the bars in; a log axis leaves out low ends at 0
// or below, and a point without its partner has no bar.
TEST(WidenByErrors, TheRangeTakesInTheBars) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        std::vector<double> values, partners;
        ErrorExtents errors;
        bool log;
        double min, max;
    } cases[] = {
        {"both sides", {1, 5}, {0, 0}, {{2, 1}, {1, 3}}, false, -1, 8},
        {"a partner missing", {1, 5}, {nan, 0}, {{2, 1}, {1, 3}}, false, 4, 8},
        {"negative and missing errors", {1, 5}, {0, 0}, {{-1, nan}, {nan, -2}}, false, 1, 5},
        {"log: a low end at 0 is no limit", {1, 5}, {0, 0}, {{1, 1}, {1, 1}}, true, 1, 6},
    };
    for (const Case& c : cases) {
        double min = nan, max = nan;
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            if (std::isnan(c.partners[i])) continue;
            min = std::isnan(min) ? c.values[i] : std::min(min, c.values[i]);
            max = std::isnan(max) ? c.values[i] : std::max(max, c.values[i]);
        }
        WidenByErrors(min, max, c.values, c.partners, c.errors, c.log);
        EXPECT_EQ(min, c.min) << c.name;
        EXPECT_EQ(max, c.max) << c.name;
    }
}

}  // namespace
