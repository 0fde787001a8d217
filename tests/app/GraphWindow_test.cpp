// The graph window's commands without a window: drops, popups, the canvas size.
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

TEST(GraphWindow, TheMouseOverTheWindowSetsTheCanvasSize) {
    Drawn d(kLinear);
    d.main.FormMouseMove(700, 400);
    EXPECT_EQ(d.main.Doc.Graph.Canvaswidth, 700);
    EXPECT_EQ(d.main.Doc.Graph.Canvasheight, 400);
}

}  // namespace
