#include "app/widgets/TCanv.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest/QTest>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "graph/widgets/TSampleSetDialog.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/PictureReplay.h"
#include "plot/TPlot.h"

namespace {

struct Shown {
    TestDir dir;
    TfMain state;
    RecordingMessageSink sink;
    ScopedMessageSink scope{sink};
    TCanv canv{state};
    Shown() {
        state.DataOpen.FileName = dir.Write("d.txt", "0 0 50\n25 40 60\n50 80 70\n100 100 80\n");
        state.DataOpen.DivMark = " ";
        EXPECT_TRUE(state.DataOpen.ReadData());
        state.FillDataGrid();
        EXPECT_TRUE(state.DrawGraph());
    }
};

TEST(TCanv, ShowsTheGraphWithItsCaptionAndSize) {
    Shown s;
    EXPECT_TRUE(s.canv.isVisible());
    EXPECT_EQ(s.canv.windowTitle().toStdString(), "Kurvo ｸﾞﾗﾌ");
    EXPECT_EQ(s.canv.size(), QSize(550, 320));
    const QImage shot = s.canv.grab().toImage();
    EXPECT_EQ(shot.pixelColor(80 + 75, 50 + 30), QColor(210, 210, 210));  // a grid line
    EXPECT_FALSE(s.canv.findChild<QAction*>("PopGraph")->isVisible());
}

// The window shows the pixels the BMP and the clipboard get: sloped,
// dashed and wide lines, marks, numbers, labels and the legend.
TEST(TCanv, ShowsThePixelsOfTheBmp) {
    Shown s;
    s.state.Series(1).Style.LineType = PenStyle::psDashDot;
    s.state.Series(1).Style.Hokan = CurveMethod::Spline;
    s.state.Series(2).Style.LineWidth = 3;
    s.state.Series(2).Style.MarkType = MarkKind::Sankaku;
    ASSERT_TRUE(s.state.DrawGraph());
    const QImage shot = s.canv.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage bmp = PictureToImage(s.state.ComposeGraph());
    ASSERT_EQ(shot.size(), bmp.size());
    int differing = 0;
    for (int y = 0; y < bmp.height(); ++y)
        for (int x = 0; x < bmp.width(); ++x) differing += shot.pixel(x, y) != bmp.pixel(x, y);
    EXPECT_EQ(differing, 0);
}

TEST(TCanv, AClickSelectsAndADragMovesTheLegend) {
    Shown s;
    const QPoint legend(s.state.Doc.Sample.Left + 10, s.state.Doc.Sample.Top + 5);
    QTest::mousePress(&s.canv, Qt::LeftButton, {}, legend);
    QTest::mouseRelease(&s.canv, Qt::LeftButton, {}, legend);
    EXPECT_EQ(s.state.Selected, GraphObject::SampleBase);
    EXPECT_TRUE(s.state.Canv.Paint.Visible);
    QTest::mousePress(&s.canv, Qt::LeftButton, {}, legend);
    QMouseEvent move(QEvent::MouseMove, QPointF(legend + QPoint(-100, 40)),
                     QPointF(s.canv.mapToGlobal(legend + QPoint(-100, 40))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&s.canv, &move);
    QTest::mouseRelease(&s.canv, Qt::LeftButton, {}, legend + QPoint(-100, 40));
    EXPECT_EQ(s.state.Doc.Sample.Left, 290);
    EXPECT_EQ(s.state.Doc.Sample.Top, 90);
    EXPECT_FALSE(s.state.Canv.Paint.Visible);
    // A click on the background clears the selection.
    QTest::mouseClick(&s.canv, Qt::LeftButton, {}, QPoint(540, 310));
    EXPECT_FALSE(s.state.Canv.Paint.Visible);
}

void Drag(TCanv& canv, QPoint from, QPoint to) {
    QTest::mousePress(&canv, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(canv.mapToGlobal(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&canv, &move);
    QTest::mouseRelease(&canv, Qt::LeftButton, {}, to);
}

// A dragged title keeps its place through the next drawing, and in the
// configuration file; its popup's 元の位置に戻す lays it out again.
TEST(TCanv, AMovedTitleStaysThroughDrawingsAndFiles) {
    Shown s;
    TMathLabel& title = s.state.Canv.Graphtitle;
    const QPoint from(title.Left + title.Width / 2, title.Top + title.Height / 2);
    const int left = title.Left, top = title.Top;
    QTest::mouseClick(&s.canv, Qt::LeftButton, {}, from);
    Drag(s.canv, from, from + QPoint(-60, 200));
    EXPECT_EQ(title.Left, left - 60);
    ASSERT_TRUE(s.state.DrawGraph());
    EXPECT_EQ(title.Left, left - 60);
    EXPECT_EQ(title.Top, top + 200);
    const std::string path = s.dir.Path("moved.kvc");
    ASSERT_TRUE(s.state.WriteConfigFile(path));
    TfMain read;
    read.DataOpen.FileName = s.state.DataOpen.FileName;
    read.DataOpen.DivMark = " ";
    ASSERT_TRUE(read.DataOpen.ReadData());
    read.FillDataGrid();
    ASSERT_TRUE(read.ReadConfigFile(path));
    ASSERT_TRUE(read.DrawGraph(false));
    EXPECT_EQ(read.Canv.Graphtitle.Left, left - 60);
    EXPECT_EQ(read.Canv.Graphtitle.Top, top + 200);
    const QPoint moved = from + QPoint(-60, 200);
    QTest::mouseClick(&s.canv, Qt::LeftButton, {}, moved);
    EXPECT_TRUE(s.state.PopupPopup().PopPlace);
    s.canv.findChild<QAction*>("PopPlace")->trigger();
    EXPECT_EQ(title.Left, left);
    EXPECT_EQ(title.Top, top);
    EXPECT_FALSE(s.state.Doc.TitlePlace);
}

// Where the mouse is released decides: over a number label inside the
// moved rectangle it drops, outside the window nothing moves.
TEST(TCanv, ADragEndsWhereTheMouseIsReleased) {
    Shown s;
    const TMathLabel& y50 = *s.state.YNumbers[2];  // "50", left of the plot area
    const QPoint overY50(y50.Left + y50.Width / 2, y50.Top + y50.Height / 2);

    // The legend dropped with the mouse over a Y number.
    const QPoint legend(s.state.Doc.Sample.Left + 10, s.state.Doc.Sample.Top + 5);
    QTest::mouseClick(&s.canv, Qt::LeftButton, {}, legend);
    Drag(s.canv, legend, overY50);
    EXPECT_EQ(s.state.Doc.Sample.Left, 390 + overY50.x() - legend.x());
    EXPECT_EQ(s.state.Doc.Sample.Top, 50 + overY50.y() - legend.y());
    EXPECT_FALSE(s.state.Canv.Paint.Visible);

    // A number nudged by less than its own size.
    TMathLabel& x25 = *s.state.XNumbers[1];
    const int left = x25.Left, top = x25.Top;
    const QPoint onX25(x25.Left + 2, x25.Top + 2);
    QTest::mouseClick(&s.canv, Qt::LeftButton, {}, onX25);
    ASSERT_EQ(s.state.SelectedLabel, &x25);
    Drag(s.canv, onX25, onX25 + QPoint(3, 1));
    EXPECT_EQ(x25.Left, left + 3);
    EXPECT_EQ(x25.Top, top + 1);

    // Released outside the window: the plot area stays.
    const QPoint graph(200, 150);
    QTest::mouseClick(&s.canv, Qt::LeftButton, {}, graph);
    ASSERT_EQ(s.state.Selected, GraphObject::Image);
    Drag(s.canv, graph, QPoint(-200, 150));
    EXPECT_EQ(s.state.Doc.Graph.Left, 80);
    EXPECT_EQ(s.state.Doc.Graph.Top, 50);
    EXPECT_FALSE(s.state.Canv.Paint.Visible);
}

TEST(TSampleSetDialog, ShowsAndStoresTheLegendSettings) {
    SampleSettings settings;
    TSampleSetDialog dialog(settings);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Kurvo 凡例の設定");
    EXPECT_EQ(dialog.Sampleleft->text().toStdString(), "390");
    EXPECT_EQ(dialog.Shadowsize->currentText().toStdString(), "3");
    dialog.ChooseColor = [](const QColor&) { return std::optional<QColor>(QColor(0, 0, 255)); };
    dialog.FrontColorMouseUp();
    dialog.Sampleleft->setText("12abc");
    dialog.Sampletop->setText("-5");
    dialog.Shadowsize->setEditText("abc");
    dialog.BitBtnOK->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    settings = dialog.Settings();
    EXPECT_EQ(settings.Frontcolor, clBlue);
    EXPECT_EQ(settings.Shadowcolor, clBlack);
    EXPECT_EQ(settings.Left, 12);
    EXPECT_EQ(settings.Top, -5);
    EXPECT_EQ(settings.Shadowsize, 0);
}

}  // namespace
