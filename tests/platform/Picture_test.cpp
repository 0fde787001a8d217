#include "platform/Picture.h"

#include <gtest/gtest.h>
#include <QImage>

#include <climits>
#include <cmath>

#include "platform/Canvas.h"
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

// Marks are copied from a stamp drawn once; the copy must have exactly
// the pixels the shape drawn in place has.
TEST(PixelRules, StampedMarksHaveThePixelsOfDrawnOnes) {
    Picture p;
    p.SetSize(120, 80);
    Canvas c(p);
    c.Pen = TPen{clRed, PenStyle::psSolid, 1};
    for (int i = 0; i < 12; ++i) {
        const int x = 5 + i * 9, y = 10 + (i * 7) % 50;
        c.Brush =
            TBrush{i % 2 ? clBlue : clWhite, i % 3 ? BrushStyle::bsSolid : BrushStyle::bsClear};
        c.Ellipse(x - 4, y - 4, x + 4, y + 4);
        c.Rectangle(x - 3, y + 10 - 3, x + 3, y + 10 + 3);
        const PixelPoint t[] = {{x, y + 20 - 4}, {x - 4, y + 24}, {x + 4, y + 24}};
        c.Polygon(t, 3);
    }
    auto render = [&](bool stamps) {
        QImage image(120, 80, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        ReplayPicture(painter, p, 0, 0, stamps);
        painter.end();
        return image;
    };
    EXPECT_EQ(render(true), render(false));
}

}  // namespace
