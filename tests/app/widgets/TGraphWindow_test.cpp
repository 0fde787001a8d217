// The graph window as a user has it, through real events: its size leaves
// the canvas alone, a large canvas scrolls, the view zooms to the window,
// the status bar reads the mouse, and the mouse and wheel zoom the ranges.
#include "app/widgets/TGraphWindow.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QWheelEvent>

#include "app/TfMain.h"
#include "app/widgets/ShownWindow.h"
#include "app/widgets/TCanv.h"
#include "platform/PictureReplay.h"

namespace {

struct Graph : ShownWindow {
    TGraphWindow& graph = *window.GraphWindow;
    TCanv& canv = *window.Canv;
    Graph() : ShownWindow("0 0 50\n25 40 60\n50 80 70\n100 100 80\n") {
        window.PlotButtonClick();
        EXPECT_TRUE(graph.isVisible());
    }
    // The middle of the plot area, on the widget.
    QPoint PlotMiddle() const {
        const ImageControl& image = state.Canv.Image;
        return QPoint(image.Left + image.Width / 2, image.Top + image.Height / 2);
    }
    void MoveMouse(QPoint to, Qt::MouseButtons buttons = Qt::NoButton) {
        QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(canv.mapToGlobal(to)),
                         Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&canv, &move);
    }
    double XSpan() const { return state.Doc.X().Max - state.Doc.X().Min; }
};

TEST(TGraphWindow, ItsSizeLeavesTheCanvasAndALargeCanvasScrolls) {
    Graph g;
    EXPECT_EQ(g.graph.windowTitle().toStdString(), "Kurvo ｸﾞﾗﾌ");
    EXPECT_EQ(g.canv.size(), QSize(550, 320));
    g.graph.resize(1270, 700);
    g.MoveMouse(QPoint(540, 310));
    EXPECT_EQ(g.state.Doc.Graph.Canvaswidth, 550);
    EXPECT_EQ(g.state.Doc.Graph.Canvasheight, 320);

    // ｳｨﾝﾄﾞｳに合わせる fills the view; 実寸表示 shows the pixels again.
    QApplication::processEvents();
    g.graph.ZoomToFit->trigger();
    const QSize room = g.graph.View->viewport()->size();
    EXPECT_DOUBLE_EQ(g.canv.Zoom(), std::min(room.width() / 550.0, room.height() / 320.0));
    EXPECT_EQ(g.canv.width(), qRound(550 * g.canv.Zoom()));
    g.graph.ZoomActual->trigger();
    EXPECT_EQ(g.canv.size(), QSize(550, 320));

    // A canvas larger than the screen: the window stays on the screen and
    // scrolls to the X axis.
    g.state.Edit("", [](GraphDocument& d) { d.Graph.SetCanvas(LengthUnit::Px, 1000, 1000); });
    g.window.PlotButtonClick();
    QApplication::processEvents();
    EXPECT_EQ(g.canv.size(), QSize(1000, 1000));
    const QSize screen = g.graph.screen()->availableGeometry().size();
    EXPECT_LE(g.graph.height(), screen.height());
    EXPECT_GT(g.graph.View->verticalScrollBar()->maximum(), 0);

    // The user's own choice: the canvas the size of the view.
    g.graph.resize(700, 500);
    QApplication::processEvents();
    g.graph.CanvasToWindow->trigger();
    EXPECT_EQ(QSize(g.state.Doc.Graph.Canvaswidth, g.state.Doc.Graph.Canvasheight),
              g.graph.View->viewport()->size());
}

TEST(TGraphWindow, TheMouseReadsAndZoomsTheRanges) {
    Graph g;
    const QPoint middle = g.PlotMiddle();
    g.MoveMouse(middle);
    EXPECT_EQ(g.graph.Pointer->text(),
              QString::fromStdString(g.state.FormMouseMove(middle.x(), middle.y())));
    EXPECT_TRUE(g.graph.Pointer->text().startsWith("X = "));

    // A rectangle drawn with the right button: one step, fixed ranges.
    const double span = g.XSpan();
    QTest::mousePress(&g.canv, Qt::RightButton, {}, middle);
    g.MoveMouse(middle + QPoint(60, 40), Qt::RightButton);
    QTest::mouseRelease(&g.canv, Qt::RightButton, {}, middle + QPoint(60, 40));
    EXPECT_FALSE(g.state.Doc.X().Autosize);
    EXPECT_LT(g.XSpan(), span / 2);

    // The wheel, a notch in about the mouse.
    const double zoomed = g.XSpan();
    QWheelEvent wheel(QPointF(middle), QPointF(g.canv.mapToGlobal(middle)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&g.canv, &wheel);
    EXPECT_NEAR(g.XSpan(), zoomed / TCanv::kWheelFactor, 1e-9 * zoomed);

    // Shift and the left button draw a rectangle too; 全体表示 goes back.
    QTest::mousePress(&g.canv, Qt::LeftButton, Qt::ShiftModifier, middle);
    g.MoveMouse(middle + QPoint(30, 30), Qt::LeftButton);
    QTest::mouseRelease(&g.canv, Qt::LeftButton, Qt::ShiftModifier, middle + QPoint(30, 30));
    EXPECT_LT(g.XSpan(), zoomed / 2);
    g.graph.WholeRange->trigger();
    EXPECT_TRUE(g.state.Doc.X().Autosize);
    EXPECT_DOUBLE_EQ(g.XSpan(), span);
}

// Zoomed, the window shows the smooth replay at its resolution.
TEST(TGraphWindow, AZoomedViewIsSmooth) {
    Graph g;
    g.canv.SetZoom(2);
    const QImage shot = g.canv.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(1100, 640));
    // A sloped line is smooth, in shades of grey; the pixels doubled would
    // have its colours: the line, the paper and a grid line.
    const QRect slope(320, 200, 100, 100);
    auto shades = [&](const QImage& image) {
        QSet<QRgb> colours;
        for (int y = slope.top(); y <= slope.bottom(); ++y)
            for (int x = slope.left(); x <= slope.right(); ++x) colours.insert(image.pixel(x, y));
        return colours.size();
    };
    const QImage doubled = PictureToImage(g.state.ComposeGraph()).scaled(shot.size());
    EXPECT_LE(shades(doubled), 3);
    EXPECT_GT(shades(shot), 10);
}

}  // namespace
