#include "platform/PolylineReducer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <random>
#include <vector>

#include "platform/PictureReplay.h"

namespace {

using Points = std::vector<PixelPoint>;

// The pixels of runs recorded as they are and through the reducer must be
// the same, for every kind of polyline and pen; the reduced recording of
// a one-pixel solid pen must be short.
TEST(PolylineReducer, PaintsThePixelsOfEveryPoint) {
    std::mt19937 random(20261208);
    auto uniform = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    struct Case {
        const char* name;
        std::vector<Points> runs;
    };
    std::vector<Case> cases = {
        // Revisits of a column's extremes, ending on them or not.
        {"extremes",
         {{{10, 5}, {10, 9}, {10, 6}, {10, 9}, {11, 9}},
          {{20, 5}, {20, 7}, {20, 6}, {20, 9}},
          {{30, 9}, {30, 5}, {30, 8}, {30, 5}},
          {{40, 9}, {40, 5}, {40, 8}, {40, 5}, {50, 20}},
          {{60, 5}, {60, 9}, {60, 9}, {60, 5}, {60, 9}},
          {{70, 5}, {70, 5}, {70, 5}},
          {{80, 7}, {80, 3}, {80, 11}, {80, 7}, {81, 0}, {81, 30}, {82, 1}}}},
    };
    // Zig-zags: a column after another, each swept up and down.
    Points zigzag;
    for (int x = 5; x < 100; x += uniform(1, 3))
        for (int k = 0; k < 8; ++k)
            zigzag.push_back({x, k % 2 ? uniform(0, 20) : uniform(80, 119)});
    cases.push_back({"zig-zags", {zigzag}});
    // Spikes and steps on a flat line.
    Points spikes, steps;
    for (int x = 0; x < 120; ++x) {
        spikes.push_back({x, x % 17 == 0 ? 2 : x % 23 == 0 ? 110 : 60});
        const int level = 20 + 10 * (x / 15);
        steps.push_back({x, level});
        steps.push_back({x, level + (x % 15 == 14 ? 10 : 0)});
    }
    cases.push_back({"spikes and steps", {spikes, steps}});
    // Random walks, dense in x, some leaving the image; and random points
    // anywhere, every octant.
    for (int n = 0; n < 40; ++n) {
        Points walk{{uniform(0, 20), uniform(0, 119)}}, scatter;
        for (int i = 0; i < 600; ++i) {
            const PixelPoint p = walk.back();
            walk.push_back(
                {p.x + (uniform(0, 5) == 0 ? uniform(-1, 2) : 0), p.y + uniform(-25, 25)});
        }
        for (int i = 0; i < 40; ++i) scatter.push_back({uniform(-30, 150), uniform(-30, 150)});
        cases.push_back({"random", {walk, scatter}});
    }
    const TPen pens[] = {{clBlack, PenStyle::psSolid, 1},
                         {clRed, PenStyle::psSolid, 0},
                         {clBlue, PenStyle::psDash, 1},
                         {clGreen, PenStyle::psSolid, 3},
                         {clBlack, PenStyle::psDot, 2}};
    for (const Case& c : cases)
        for (const TPen& pen : pens) {
            SCOPED_TRACE(std::string(c.name) + ", pen width " + std::to_string(pen.Width) +
                         ", style " + std::to_string(int(pen.Style)));
            Picture plain, reduced;
            {
                Canvas canvas(plain);
                canvas.Pen = pen;
                for (const Points& run : c.runs) {
                    canvas.MoveTo(run[0].x, run[0].y);
                    for (const PixelPoint& p : run) canvas.LineTo(p.x, p.y);
                }
            }
            {
                Canvas canvas(reduced);
                canvas.Pen = pen;
                PolylineReducer runs(canvas);
                for (const Points& run : c.runs) {
                    runs.MoveTo(run[0].x, run[0].y);
                    for (const PixelPoint& p : run) runs.LineTo(p.x, p.y);
                }
            }
            ASSERT_EQ(PictureToImage(reduced, 120, 120), PictureToImage(plain, 120, 120));
            if (pen.Style == PenStyle::psSolid && pen.Width <= 1) {
                // At most the entry, both extremes and the exit of each
                // visit to a column.
                std::size_t visits = 0, lines = 0;
                for (const Points& run : c.runs)
                    for (std::size_t i = 0; i < run.size(); ++i)
                        visits += i == 0 || run[i].x != run[i - 1].x;
                for (const PictureOp& op : reduced.Ops()) lines += op.Kind == OpKind::LineTo;
                EXPECT_LE(lines, 4 * visits);
            }
        }
}

}  // namespace
