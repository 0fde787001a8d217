// The graph window's commands without a window: drops, popups, the canvas size.
#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>
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

TEST(GraphWindow, DropsMoveAndResize) {
    Drawn d(kLinear);
    ASSERT_TRUE(d.main.DrawGraph(false));
    // The plot area's right edge dragged 20 pixels left of its left edge.
    d.main.ObjectClick(GraphObject::Image);
    d.main.PaintMouseMove(298, 100);
    d.main.PaintStartDrag();
    d.main.FormDragOver(60, 120);
    d.main.FormDragDrop();
    EXPECT_EQ(d.main.Doc.Graph.Width, 30);
    // At 60 the Y label would be cut at the canvas edge: moved in by 4.
    EXPECT_EQ(d.main.Doc.Graph.Left, 64);
    EXPECT_EQ(d.main.Canv.Ylabel.Left, 0);
    EXPECT_EQ(d.main.Canv.Image.Width, 30);
    EXPECT_FALSE(d.main.Canv.Paint.Visible);

    // The legend moves and keeps its place.
    d.main.ObjectClick(GraphObject::SampleBase);
    d.main.PaintMouseMove(10, 10);
    d.main.PaintStartDrag();
    d.main.FormDragOver(410, 210);
    d.main.FormDragDrop();
    EXPECT_EQ(d.main.Doc.Sample.Left, 400);
    EXPECT_EQ(d.main.Doc.Sample.Top, 200);

    // A label moves until it is placed again.
    TMathLabel& title = d.main.Canv.Graphtitle;
    const int left = title.Left;
    d.main.ObjectClick(GraphObject::Graphtitle, &title);
    EXPECT_EQ(d.main.PaintMouseMove(1, 1), SelectionGeometry::Cursor::Arrow);
    d.main.PaintStartDrag();
    d.main.FormDragOver(31, 31);
    d.main.FormDragDrop();
    EXPECT_EQ(title.Left, 30);
    d.main.menuLabelPlotClick();
    EXPECT_EQ(title.Left, left);
}

TEST(GraphWindow, PopupItemsAndTheSelectedNumber) {
    Drawn d(kLinear);
    ASSERT_TRUE(d.main.DrawGraph(false));
    struct Case {
        GraphObject object;
        PopupItems items;
    } cases[] = {
        {GraphObject::Image, {.PopCopy = true, .PopPlot = true, .PopGraph = true}},
        {GraphObject::SampleBase,
         {.PopCopy = true, .PopFont = true, .PopPlot = true, .PopSample = true}},
        {GraphObject::Xlabel, {.PopCopy = true, .PopFont = true, .PopSet = true}},
        {GraphObject::Number, {.PopFont = true}},
    };
    for (const Case& c : cases) {
        d.main.ObjectClick(c.object, c.object == GraphObject::Number ? d.main.XNumbers[1].get()
                                                                     : &d.main.Canv.Xlabel);
        EXPECT_TRUE(d.main.Canv.Paint.Visible);
        EXPECT_EQ(d.main.PopupPopup(), c.items);
        EXPECT_FALSE(d.main.Canv.Paint.Visible);
    }
    // A renumbering takes the selected number away with the selection.
    d.main.ObjectClick(GraphObject::Number, d.main.XNumbers[1].get());
    d.main.menuPlotNumberClick();
    EXPECT_EQ(d.main.Selected, GraphObject::None);
    EXPECT_EQ(d.main.SelectedLabel, nullptr);
    // A number's font is the one of every number.
    d.main.ObjectClick(GraphObject::Number, d.main.XNumbers[1].get());
    FontSetting bigger = d.main.Doc.Fonts.Num;
    bigger.Size = 20;
    d.main.ApplySelectedFont(bigger);
    EXPECT_EQ(d.main.Doc.Fonts.Num.Size, 20);
    EXPECT_EQ(d.main.YNumbers[0]->Font.Height, PointsToFontHeight(20));
}

// A plot area of 200 x 100 pixels over 0..100 on both axes: X is 2 px a
// unit, Y 1 px a unit upwards.
struct ViewDrawn : Drawn {
    ViewDrawn() : Drawn(kLinear) {
        main.Edit("", [](GraphDocument& g) {
            g.Graph.Width = 200;
            g.Graph.Height = 100;
            for (AxisIndex a : {kAxisX, kAxisY}) {
                g.Axes[a].Autosize = false;
                g.Axes[a].Min = 0;
                g.Axes[a].Max = 100;
            }
        });
        EXPECT_TRUE(main.DrawGraph(false));
    }
    // The canvas point of plot-area pixel (px, py).
    int X(int px) const { return main.Canv.Image.Left + px; }
    int Y(int py) const { return main.Canv.Image.Top + py; }
    std::pair<double, double> Range(AxisIndex a) const {
        return {main.Doc.Axes[a].Min, main.Doc.Axes[a].Max};
    }
};

TEST(GraphWindow, TheMouseReadsTheCoordinatesAndLeavesTheCanvas) {
    ViewDrawn d;
    const TPlot& plot = d.main.LineImage(1);
    const PixelPoint point = plot.DataToPixel(25, 40);
    const std::string pointText = "      '" + plot.Caption + "' 2 行目: X = 25, Y = 40";
    struct Case {
        int x, y;
        std::string text;
    } cases[] = {
        {d.X(100), d.Y(50), "X = 50   Y = 50"},
        {d.X(1), d.Y(95), "X = 0.5   Y = 5"},
        {d.X(point.x + 2), d.Y(point.y - 1), "X = 26   Y = 41" + pointText},
        {d.X(-1), d.Y(50), ""},
        {d.X(100), d.Y(101), ""},
    };
    ASSERT_EQ(d.main.Series(1).YColumn, 2);
    for (const Case& c : cases) EXPECT_EQ(d.main.FormMouseMove(c.x, c.y), c.text) << c.x;
    // The window's size is no longer the canvas.
    EXPECT_EQ(d.main.Doc.Graph.Canvaswidth, 550);
    d.main.SetCanvasToWindow(700, 5);
    EXPECT_EQ(d.main.Doc.Graph.Canvaswidth, 700);
    EXPECT_EQ(d.main.Doc.Graph.Canvasheight, GraphSettings::kMinSize);
    EXPECT_EQ(d.main.Canv.ClientWidth, 700);
}

TEST(GraphWindow, ZoomsAndPansByTheRanges) {
    using Range = std::pair<double, double>;
    struct Case {
        const char* name;
        std::function<bool(ViewDrawn&)> view;
        Range x, y;
    } cases[] = {
        {"a rectangle, drawn either way",
         [](ViewDrawn& d) { return d.main.ZoomToRectangle(d.X(100), d.Y(75), d.X(50), d.Y(25)); },
         {25, 50},
         {25, 75}},
        {"a rectangle reaching past the plot area",
         [](ViewDrawn& d) { return d.main.ZoomToRectangle(d.X(-30), d.Y(-5), d.X(100), d.Y(50)); },
         {0, 50},
         {50, 100}},
        {"the wheel about a point",
         [](ViewDrawn& d) { return d.main.ZoomAbout(d.X(100), d.Y(50), 2); },
         {25, 75},
         {25, 75}},
        {"the wheel out about a corner",
         [](ViewDrawn& d) { return d.main.ZoomAbout(d.X(0), d.Y(100), 0.5); },
         {0, 200},
         {0, 200}},
        {"limits to the half pixel they stand for (33.33… is 33.3 at 0.5 a pixel, 33 at 1)",
         [](ViewDrawn& d) { return d.main.ZoomAbout(d.X(100), d.Y(50), 3); },
         {33.3, 66.7},
         {33, 67}},
        {"a pan right and up",
         [](ViewDrawn& d) { return d.main.PanBy(20, -10); },
         {-10, 90},
         {-10, 90}},
    };
    for (const Case& c : cases) {
        ViewDrawn d;
        const int steps = d.main.UndoStack.count();
        EXPECT_TRUE(c.view(d)) << c.name;
        EXPECT_EQ(d.Range(kAxisX), c.x) << c.name;
        EXPECT_EQ(d.Range(kAxisY), c.y) << c.name;
        EXPECT_EQ(d.main.UndoStack.count(), steps + 1) << c.name;
        d.main.Undo();
        EXPECT_EQ(d.Range(kAxisX), Range(0, 100)) << c.name;
    }
    ViewDrawn d;
    // A click is no rectangle, and a point outside the plot area no centre.
    EXPECT_FALSE(d.main.ZoomToRectangle(d.X(10), d.Y(10), d.X(12), d.Y(40)));
    EXPECT_FALSE(d.main.ZoomAbout(d.X(-5), d.Y(10), 2));
    // The turns of the wheel are one step; 全体表示 another.
    const int steps = d.main.UndoStack.count();
    EXPECT_TRUE(d.main.ZoomAbout(d.X(100), d.Y(50), 1.25));
    EXPECT_TRUE(d.main.ZoomAbout(d.X(100), d.Y(50), 1.25));
    EXPECT_EQ(d.main.UndoStack.count(), steps + 1);
    EXPECT_TRUE(d.main.ShowWholeRange());
    EXPECT_TRUE(d.main.Doc.X().Autosize);
    EXPECT_TRUE(d.main.Doc.Axes[kAxisY].Autosize);
    EXPECT_EQ(d.Range(kAxisX), Range(0, 100));
    EXPECT_FALSE(d.main.ShowWholeRange());
    EXPECT_EQ(d.main.UndoStack.count(), steps + 2);
}

TEST(GraphWindow, ReadsAndZoomsALogarithmicAxis) {
    ViewDrawn d;
    d.main.Edit("", [](GraphDocument& g) {
        g.Axes[kAxisX].Type = AxisKind::Log10;
        g.Axes[kAxisX].Min = 1;
        g.Axes[kAxisX].Max = 1000;
    });
    ASSERT_TRUE(d.main.DrawGraph(false));
    EXPECT_EQ(d.main.FormMouseMove(d.X(100), d.Y(50)), "X = 32   Y = 50");
    EXPECT_TRUE(d.main.ZoomToRectangle(d.X(0), d.Y(0), d.X(100), d.Y(100)));
    // sqrt(1000) = 31.62…, to the half pixel (0.55) it stands for.
    EXPECT_EQ(d.main.Doc.X().Max, 32);
}

}  // namespace
