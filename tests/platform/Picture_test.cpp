#include "platform/Picture.h"

#include <gtest/gtest.h>
#include <QImage>

#include <climits>
#include <cmath>
#include <set>

#include "platform/Canvas.h"
#include "platform/DashPattern.h"
#include "platform/PictureReplay.h"

namespace {

bool Ink(const QImage& image, int x, int y) {
    return image.pixelColor(x, y) != QColor(Qt::white);
}

QImage Render(const Picture& picture, int w = 40, int h = 30) {
    return PictureToImage(picture, w, h);
}

TEST(TruncToPixel, TruncatesTowardZeroAndClamps) {
    struct Case {
        double value;
        int pixel;
    } cases[] = {
        {2.9, 2},          {-0.2, 0},           {-0.6, 0},
        {-1.6, -1},        {100.5, 100},        {1e300, INT_MAX},
        {-1e300, INT_MIN}, {INFINITY, INT_MAX}, {-INFINITY, INT_MIN},
        {NAN, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(TruncToPixel(c.value), c.pixel) << c.value;
}

TEST(PixelRules, ALineDoesNotPaintItsEndPoint) {
    struct Case {
        PixelPoint from, to;
        PixelPoint lastPainted, endPoint;
    } cases[] = {
        {{2, 5}, {10, 5}, {9, 5}, {10, 5}},   // right
        {{10, 7}, {2, 7}, {3, 7}, {2, 7}},    // left
        {{4, 2}, {4, 12}, {4, 11}, {4, 12}},  // down
        {{6, 20}, {6, 3}, {6, 4}, {6, 3}},    // up
        {{1, 1}, {9, 9}, {8, 8}, {9, 9}},     // diagonal
        {{9, 1}, {1, 9}, {2, 8}, {1, 9}},     // diagonal backwards
        {{12, 5}, {2, 2}, {3, 2}, {2, 2}},    // shallow backwards
        {{5, 25}, {8, 2}, {8, 3}, {8, 2}},    // steep upwards
    };
    for (const Case& c : cases) {
        Picture picture;
        Canvas canvas(picture);
        canvas.MoveTo(c.from.x, c.from.y);
        canvas.LineTo(c.to.x, c.to.y);
        const QImage image = Render(picture);
        EXPECT_TRUE(Ink(image, c.from.x, c.from.y)) << c.from.x << "," << c.from.y;
        EXPECT_TRUE(Ink(image, c.lastPainted.x, c.lastPainted.y))
            << c.lastPainted.x << "," << c.lastPainted.y;
        EXPECT_FALSE(Ink(image, c.endPoint.x, c.endPoint.y)) << c.endPoint.x << "," << c.endPoint.y;
    }
}

// The one line routine against its definition: a run of lines paints, for
// each line, one pixel per step along the major axis from the start up to
// the end, the minor coordinate rounded to the nearest pixel (halves away
// from the start), on the dashes of a pattern that goes on from line to
// line; a pen w pixels wide paints w pixels across the line there. Every
// octant, on each 32-bit image format the program paints on.
TEST(PixelRules, RunsOfLinesFollowTheirDefinitionInEveryOctantAndFormat) {
    struct Case {
        const char* name;
        std::vector<PixelPoint> run;
    } cases[] = {
        {"octant 1", {{10, 40}, {70, 57}}},
        {"octant 2", {{10, 10}, {27, 70}}},
        {"octant 3", {{60, 10}, {43, 70}}},
        {"octant 4", {{70, 40}, {10, 57}}},
        {"octant 5", {{70, 57}, {10, 40}}},
        {"octant 6", {{43, 70}, {60, 10}}},
        {"octant 7", {{27, 70}, {10, 10}}},
        {"octant 8", {{10, 57}, {70, 40}}},
        {"halves", {{10, 10}, {14, 12}, {10, 14}, {6, 16}, {10, 18}}},
        {"a curve of short lines",
         {{5, 40},
          {8, 38},
          {11, 37},
          {14, 37},
          {17, 38},
          {20, 40},
          {23, 43},
          {26, 45},
          {29, 46},
          {32, 46},
          {35, 45},
          {38, 43},
          {41, 40},
          {44, 38},
          {47, 37},
          {50, 37},
          {53, 38}}},
    };
    const PenStyle styles[] = {PenStyle::psSolid, PenStyle::psDash, PenStyle::psDot,
                               PenStyle::psDashDot, PenStyle::psDashDotDot};
    const QImage::Format formats[] = {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied};
    for (const Case& c : cases)
        for (PenStyle style : styles)
            for (int width : {1, 2, 3}) {
                SCOPED_TRACE(std::string(c.name) + ", style " + std::to_string(int(style)) +
                             ", width " + std::to_string(width));
                // The definition, in floating point.
                std::set<std::pair<int, int>> expected;
                const DashPattern* dashes = DashPatternOf(style);
                long walked = 0;
                for (std::size_t i = 0; i + 1 < c.run.size(); ++i) {
                    const PixelPoint a = c.run[i], b = c.run[i + 1];
                    const int dx = b.x - a.x, dy = b.y - a.y;
                    const bool xMajor = std::abs(dx) >= std::abs(dy);
                    const int steps = std::max(std::abs(dx), std::abs(dy));
                    for (int k = 0; k < steps; ++k, ++walked) {
                        if (dashes) {
                            int at = int(walked % dashes->period), entry = 0;
                            while (at >= dashes->lengths[entry]) at -= dashes->lengths[entry++];
                            if (entry % 2) continue;
                        }
                        const int x = a.x + int(std::round(double(k) * dx / steps));
                        const int y = a.y + int(std::round(double(k) * dy / steps));
                        for (int across = -(width / 2); across < width - width / 2; ++across)
                            expected.insert(xMajor ? std::pair{x, y + across}
                                                   : std::pair{x + across, y});
                    }
                }
                Picture picture;
                Canvas canvas(picture);
                canvas.Pen = TPen{clBlack, style, width};
                canvas.MoveTo(c.run[0].x, c.run[0].y);
                for (std::size_t i = 1; i < c.run.size(); ++i)
                    canvas.LineTo(c.run[i].x, c.run[i].y);
                for (QImage::Format format : formats) {
                    QImage image(80, 80, format);
                    image.fill(Qt::white);
                    QPainter painter(&image);
                    ReplayPicture(painter, picture);
                    painter.end();
                    auto atCorner = [&](int x, int y) {
                        for (std::size_t i = 1; i + 1 < c.run.size(); ++i)
                            if (std::abs(x - c.run[i].x) <= width / 2 &&
                                std::abs(y - c.run[i].y) <= width / 2)
                                return true;
                        return false;
                    };
                    for (int y = 0; y < 80; ++y)
                        for (int x = 0; x < 80; ++x) {
                            // Wide pens also fill the corners of a run.
                            if (width > 1 && atCorner(x, y) && !expected.count({x, y})) continue;
                            ASSERT_EQ(Ink(image, x, y), expected.count({x, y}) > 0)
                                << x << "," << y << " format " << int(format);
                        }
                }
            }
}

// A polygon's outline is its lines, each from one corner to the next:
// every corner is painted, the triangle marks are 2h + 1 pixels wide.
TEST(PixelRules, APolygonPaintsEveryCorner) {
    for (BrushStyle brush : {BrushStyle::bsClear, BrushStyle::bsSolid})
        for (int h : {1, 4, 8}) {
            const int x = 20, y = 15;
            const PixelPoint triangle[] = {{x, y - h}, {x - h, y + h}, {x + h, y + h}};
            Picture picture;
            Canvas canvas(picture);
            canvas.Brush = TBrush{clBlue, brush};
            canvas.Polygon(triangle, 3);
            const QImage image = Render(picture);
            for (const PixelPoint& p : triangle)
                EXPECT_EQ(image.pixelColor(p.x, p.y), QColor(Qt::black))
                    << "h " << h << " corner " << p.x << "," << p.y;
            EXPECT_FALSE(Ink(image, x + h + 1, y + h)) << h;
            EXPECT_FALSE(Ink(image, x, y + h + 1)) << h;
        }
}

TEST(PixelRules, ABoxExcludesItsRightAndBottomEdge) {
    Picture picture;
    Canvas canvas(picture);
    canvas.Pen.Color = clBlack;
    canvas.Brush.Color = clRed;
    canvas.Rectangle(2, 3, 10, 9);
    const QImage image = Render(picture);
    // Outline on columns 2 and 9, rows 3 and 8; nothing on column 10 or row 9.
    for (int y = 3; y <= 8; ++y) {
        EXPECT_EQ(image.pixelColor(2, y), QColor(Qt::black)) << y;
        EXPECT_EQ(image.pixelColor(9, y), QColor(Qt::black)) << y;
        EXPECT_FALSE(Ink(image, 10, y)) << y;
    }
    for (int x = 2; x <= 9; ++x) {
        EXPECT_EQ(image.pixelColor(x, 3), QColor(Qt::black)) << x;
        EXPECT_EQ(image.pixelColor(x, 8), QColor(Qt::black)) << x;
        EXPECT_FALSE(Ink(image, x, 9)) << x;
    }
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::red));
}

TEST(PixelRules, AnEllipseStaysInsideItsBox) {
    Picture picture;
    Canvas canvas(picture);
    canvas.Brush.Color = clBlack;
    canvas.Ellipse(4, 4, 13, 13);  // columns and rows 4 to 12
    const QImage image = Render(picture);
    bool left = false, right = false, top = false, bottom = false;
    for (int k = 0; k < 30; ++k) {
        left |= Ink(image, 4, k);
        right |= Ink(image, 12, k);
        top |= Ink(image, k, 4);
        bottom |= Ink(image, k, 12);
        EXPECT_FALSE(Ink(image, 3, k));
        EXPECT_FALSE(Ink(image, 13, k));
        EXPECT_FALSE(Ink(image, k, 3));
        EXPECT_FALSE(Ink(image, k, 13));
    }
    EXPECT_TRUE(left && right && top && bottom);
}

TEST(PixelRules, FillRectCoversLeftTopUpToRightBottom) {
    Picture picture;
    Canvas canvas(picture);
    canvas.Brush.Color = clBlue;
    canvas.FillRect({1, 2, 4, 6});
    const QImage image = Render(picture);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(Ink(image, x, y), x >= 1 && x < 4 && y >= 2 && y < 6) << x << "," << y;
}

TEST(PixelRules, ClearPenAndClearBrushPaintNothing) {
    Picture picture;
    Canvas canvas(picture);
    canvas.Pen.Style = PenStyle::psClear;
    canvas.Brush.Style = BrushStyle::bsClear;
    canvas.Rectangle(0, 0, 20, 20);
    canvas.MoveTo(0, 5);
    canvas.LineTo(20, 5);
    const QImage image = Render(picture);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_FALSE(Ink(image, x, y)) << x << "," << y;
}

TEST(Canvas, RecordsAStateChangeOnlyWhenItIsUsed) {
    Picture picture;
    Canvas canvas(picture);
    canvas.Pen.Color = clRed;
    canvas.Brush.Color = clRed;
    for (int i = 0; i < 100; ++i) canvas.Rectangle(i, 0, i + 4, 4);
    canvas.Pen.Color = clBlue;  // never used
    int pens = 0, brushes = 0, shapes = 0;
    for (const PictureOp& op : picture.Ops()) {
        pens += op.Kind == OpKind::Pen;
        brushes += op.Kind == OpKind::Brush;
        shapes += op.Kind == OpKind::Rectangle;
    }
    EXPECT_EQ(pens, 1);
    EXPECT_EQ(brushes, 1);
    EXPECT_EQ(shapes, 100);
}

// Metafile readers begin a path at a move and drop lines drawn after a pen
// change without one: every run of lines is its pen, a move, its lines.
TEST(Canvas, RecordsEachRunOfLinesAsPenMoveAndLines) {
    Picture picture;
    Canvas canvas(picture);
    canvas.MoveTo(1, 1);  // a move alone draws nothing
    canvas.MoveTo(2, 2);
    canvas.Pen.Color = clRed;
    canvas.LineTo(5, 2);
    canvas.LineTo(5, 6);
    canvas.Pen.Color = clBlue;  // a new pen goes on from (5, 6)
    canvas.LineTo(9, 6);
    std::vector<std::pair<OpKind, PixelPoint>> ops;
    for (const PictureOp& op : picture.Ops()) ops.push_back({op.Kind, {op.A, op.B}});
    const std::vector<std::pair<OpKind, PixelPoint>> expected = {
        {OpKind::Pen, {}},        {OpKind::MoveTo, {2, 2}}, {OpKind::LineTo, {5, 2}},
        {OpKind::LineTo, {5, 6}}, {OpKind::Pen, {}},        {OpKind::MoveTo, {5, 6}},
        {OpKind::LineTo, {9, 6}}};
    EXPECT_EQ(ops, expected);
}

TEST(Canvas, DrawsAnotherPictureAtAnOffsetAndKeepsItsOwnState) {
    Picture inner;
    inner.SetSize(10, 10);
    {
        Canvas c(inner);
        c.Pen.Color = clRed;
        c.MoveTo(0, 0);
        c.LineTo(5, 0);
        c.LineTo(5, 3);  // strokes outside the size are kept
        c.LineTo(5, 15);
    }
    Picture outer;
    Canvas canvas(outer);
    canvas.Pen.Color = clBlue;
    canvas.MoveTo(0, 20);
    canvas.Draw(10, 4, inner);
    canvas.LineTo(3, 20);  // goes on from (0, 20) in blue
    const QImage image = Render(outer, 40, 30);
    EXPECT_EQ(image.pixelColor(10, 4), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(14, 4), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(15, 17), QColor(Qt::red));
    EXPECT_FALSE(Ink(image, 9, 4));
    EXPECT_EQ(image.pixelColor(0, 20), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(2, 20), QColor(Qt::blue));
}

TEST(Canvas, ANestedPictureStartsFromTheDefaultState) {
    Picture inner;
    {
        Canvas c(inner);
        c.Rectangle(0, 0, 6, 6);  // default pen black, brush white
    }
    Picture outer;
    Canvas canvas(outer);
    canvas.Brush.Color = clRed;
    canvas.Rectangle(20, 0, 26, 6);
    canvas.Draw(0, 0, inner);
    const QImage image = Render(outer);
    EXPECT_EQ(image.pixelColor(3, 3), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(23, 3), QColor(Qt::red));
}

TEST(PixelRules, TextHangsFromTheTopLeftOfItsFirstCell) {
    struct Case {
        int escapement;
        // Where the ink must lie around the reference point (100, 100).
        int minX, maxX, minY, maxY;
    } cases[] = {
        {0, 100, 200, 100, 120},    // to the right and below
        {900, 100, 120, 0, 100},    // turned up: right of x and above y
        {2700, 80, 100, 100, 200},  // turned down: left of x and below y
    };
    for (const Case& c : cases) {
        Picture picture;
        Canvas canvas(picture);
        canvas.Font.FaceName = "Arial";
        canvas.Font.Height = -16;
        canvas.Font.Color = clBlack;
        canvas.Font.Escapement = c.escapement;
        canvas.TextOut(100, 100, "HHHH");
        const QImage image = Render(picture, 200, 200);
        int inked = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) {
                if (!Ink(image, x, y)) continue;
                ++inked;
                EXPECT_TRUE(x >= c.minX && x < c.maxX && y >= c.minY && y < c.maxY)
                    << "escapement " << c.escapement << " ink at " << x << "," << y;
            }
        EXPECT_GT(inked, 20) << c.escapement;
    }
}

}  // namespace

namespace {

// Marks are copied from a stamp drawn once: every copy, wherever it lands
// and however the image edge cuts it, has the pixels of the first.
TEST(PixelRules, StampedMarksHaveThePixelsOfTheFirst) {
    const int kSize = 9;
    auto mark = [](Canvas& c, int kind, int x, int y) {
        c.Pen = TPen{clRed, PenStyle::psSolid, 1};
        c.Brush = TBrush{kind % 2 ? clBlue : clWhite,
                         kind == 2 ? BrushStyle::bsClear : BrushStyle::bsSolid};
        const PixelPoint t[] = {{x + 4, y}, {x, y + 8}, {x + 8, y + 8}};
        if (kind < 2)
            c.Ellipse(x, y, x + 8, y + 8);
        else if (kind == 2)
            c.Rectangle(x, y, x + 8, y + 8);
        else
            c.Polygon(t, 3);
    };
    for (int kind = 0; kind < 4; ++kind) {
        Picture one;
        {
            Canvas c(one);
            mark(c, kind, 10, 10);
        }
        const QImage first = Render(one, 30, 30);
        Picture many;
        Canvas c(many);
        const PixelPoint places[] = {{-4, 5}, {20, 3}, {50, 20}, {115, 40}, {60, -5}, {70, 76}};
        for (const PixelPoint& p : places) mark(c, kind, p.x, p.y);
        const QImage image = Render(many, 120, 80);
        for (const PixelPoint& p : places)
            for (int dy = 0; dy < kSize; ++dy)
                for (int dx = 0; dx < kSize; ++dx)
                    if (image.rect().contains(p.x + dx, p.y + dy)) {
                        ASSERT_EQ(image.pixel(p.x + dx, p.y + dy), first.pixel(10 + dx, 10 + dy))
                            << "mark " << kind << " at " << p.x << "," << p.y << " +" << dx << ","
                            << dy;
                    }
    }
}

}  // namespace
