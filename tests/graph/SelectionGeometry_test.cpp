#include "graph/SelectionGeometry.h"

#include <gtest/gtest.h>

namespace {

using Cursor = SelectionGeometry::Cursor;

TEST(SelectionGeometry, HandleZonesAndCursors) {
    struct Case {
        int x, y;
        bool resizable;
        int zone;
        Cursor cursor;
    } cases[] = {
        {2, 2, true, 7, Cursor::SizeNWSE},        {98, 48, true, 3, Cursor::SizeNWSE},
        {2, 48, true, 1, Cursor::SizeNESW},       {98, 2, true, 9, Cursor::SizeNESW},
        {2, 25, true, 4, Cursor::SizeHorizontal}, {98, 25, true, 6, Cursor::SizeHorizontal},
        {50, 2, true, 8, Cursor::SizeVertical},   {50, 48, true, 2, Cursor::SizeVertical},
        {50, 25, true, 5, Cursor::Arrow},         {2, 2, false, 5, Cursor::Arrow},
        {5, 5, true, 5, Cursor::Arrow},  // the zones are under 5 pixels wide
    };
    for (const Case& c : cases) {
        SelectionGeometry g;
        g.Select(10, 20, 100, 50);
        EXPECT_EQ(g.MouseMove(c.x, c.y, c.resizable), c.cursor) << c.x << "," << c.y;
        EXPECT_EQ(g.Zone(), c.zone) << c.x << "," << c.y;
    }
}

TEST(SelectionGeometry, DraggingMovesAndResizes) {
    struct Case {
        const char* name;
        PixelPoint grab;  // inside the rectangle (100, 50) at (10, 20)
        PixelPoint to;    // in window coordinates
        int left, top, width, height;
    } cases[] = {
        {"move", {50, 25}, {200, 100}, 150, 75, 100, 50},
        {"right edge", {98, 25}, {150, 40}, 10, 20, 140, 50},
        {"right edge past the left: turned over", {98, 25}, {-10, 40}, -10, 20, 20, 50},
        {"bottom edge", {50, 48}, {60, 120}, 10, 20, 100, 100},
        {"top edge past the bottom", {50, 2}, {60, 100}, 10, 70, 100, 30},
        {"top-left corner", {2, 2}, {0, 0}, 0, 0, 110, 70},
        {"bottom-right corner past the top-left", {98, 48}, {0, 5}, 0, 5, 10, 15},
        {"left edge", {2, 25}, {50, 0}, 50, 20, 60, 50},
    };
    for (const Case& c : cases) {
        SelectionGeometry g;
        g.Select(10, 20, 100, 50);
        g.MouseMove(c.grab.x, c.grab.y, true);
        g.StartDrag();
        g.DragOver(c.to.x, c.to.y);
        EXPECT_EQ(g.Left, c.left) << c.name;
        EXPECT_EQ(g.Top, c.top) << c.name;
        EXPECT_EQ(g.Width, c.width) << c.name;
        EXPECT_EQ(g.Height, c.height) << c.name;
    }
}

TEST(SelectionGeometry, ADroppedPlotAreaIsAtLeastThirtyPixels) {
    // The right edge dragged to 20 pixels left of the left edge.
    SelectionGeometry g;
    g.Select(100, 50, 300, 200);
    g.MouseMove(298, 100, true);
    g.StartDrag();
    g.DragOver(80, 120);
    g.ApplyMinimumSize();
    EXPECT_EQ(g.Left, 80);
    EXPECT_EQ(g.Width, 30);
    EXPECT_EQ(g.Height, 200);
}

}  // namespace
