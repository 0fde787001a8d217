// Undo and redo through the keys, in the window where the edit was made:
// each kind of edit is one step, undo gives back the document exactly and
// draws the graph as it was, redo repeats the step.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "app/widgets/ShownWindow.h"
#include "app/widgets/TCanv.h"
#include "app/widgets/TfMainWindow.h"
#include "dialogs/widgets/TGraphSetDialog.h"
#include "graph/widgets/TLabelForm.h"
#include "platform/MessageSink.h"
#include "platform/PictureReplay.h"

namespace {

struct Window : ShownWindow {
    Window() : ShownWindow("0 1 5\n1 3 4\n2 2 6\n3 5 5\n") {
        EXPECT_TRUE(state.DrawGraph());
        // What was done to get here is not under test.
        state.UndoStack.clear();
    }
    TCanv& Canv() { return *window.Canv; }
    QImage Graph() { return PictureToImage(state.ComposeGraph()); }
};

void Activate(QWidget& w) {
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

void Drag(TCanv& canv, QPoint from, QPoint to) {
    QTest::mousePress(&canv, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(canv.mapToGlobal(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&canv, &move);
    QTest::mouseRelease(&canv, Qt::LeftButton, {}, to);
}

TEST(UndoRedo, EachKindOfEditIsOneStepUndoneAndRedoneByTheKeys) {
    struct Case {
        const char* name;
        // Where the edit is made, and so where the keys are pressed.
        bool inGraphWindow;
        std::function<void(Window&)> edit;
    } cases[] = {
        {"a grid cell", false,
         [](Window& w) {
             w.window.PageControl->setCurrentWidget(w.window.DataSheet);
             QTableView* view = w.window.DataG;
             view->setFocus();
             view->setCurrentIndex(view->model()->index(1, 1));
             QTest::keyClick(view, Qt::Key_F2);
             QWidget* editor = QApplication::focusWidget();
             ASSERT_NE(editor, view);
             QTest::keyClicks(editor, "9");
             QTest::keyClick(editor, Qt::Key_Return);
             QApplication::processEvents();  // the delegate commits queued
             EXPECT_EQ(w.state.DataG().Cell(2, 2), "9");
         }},
        {"the graph dialog's OK", false,
         [](Window& w) {
             w.window.menuGraphConfigClick();
             TGraphSetDialog& dialog = *w.window.GraphSet;
             QLineEdit* width = dialog.Edit("Graphwidth");
             width->selectAll();
             QTest::keyClicks(width, "250");
             QTest::mouseClick(dialog.OkBitBtn, Qt::LeftButton);
             dialog.close();
             EXPECT_EQ(w.state.Doc.Graph.Width, 250);
         }},
        {"a legend drag", true,
         [](Window& w) {
             const QPoint legend(w.state.Doc.Sample.Left + 10, w.state.Doc.Sample.Top + 5);
             QTest::mouseClick(&w.Canv(), Qt::LeftButton, {}, legend);
             Drag(w.Canv(), legend, legend + QPoint(-100, 40));
             EXPECT_EQ(w.state.Doc.Sample.Left, 290);
         }},
        {"a label text", true,
         [](Window& w) {
             const TMathLabel& title = w.state.Canv.Graphtitle;
             QTest::mouseClick(&w.Canv(), Qt::LeftButton, {},
                               QPoint(title.Left + title.Width / 2, title.Top + title.Height / 2));
             ASSERT_EQ(w.state.Selected, GraphObject::Graphtitle);
             QTimer::singleShot(0, [] {
                 auto* form = qobject_cast<TLabelForm*>(QApplication::activeModalWidget());
                 ASSERT_NE(form, nullptr);
                 form->Box->selectAll();
                 QTest::keyClicks(form->Box, "Run 7");
                 QTest::mouseClick(form->OKBitBtn, Qt::LeftButton);
             });
             w.Canv().findChild<QAction*>("PopSet")->trigger();
             EXPECT_EQ(w.state.Doc.Title.Main, "Run 7");
         }},
        {"a data read", false,
         [](Window& w) {
             w.desktop.file = w.dir.Write("b.txt", "10 20\n30 40\n");
             QTest::mouseClick(w.window.Button("OpenButton"), Qt::LeftButton);
             EXPECT_EQ(w.state.DataG().Cell(1, 1), "10");
         }},
    };
    for (const Case& c : cases) {
        Window w;
        Activate(c.inGraphWindow ? static_cast<QWidget&>(w.Canv()) : w.window);
        const GraphDocument before = w.state.Doc;
        const QImage graphBefore = w.Graph();
        EXPECT_FALSE(w.window.Item("menuUndo")->isEnabled()) << c.name;
        c.edit(w);
        const GraphDocument after = w.state.Doc;
        EXPECT_FALSE(after == before) << c.name;
        EXPECT_EQ(w.state.UndoStack.count(), 1) << c.name;
        QWidget& keys = c.inGraphWindow ? static_cast<QWidget&>(w.Canv()) : w.window;
        Activate(keys);

        QTest::keyClick(&keys, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(w.state.Doc == before) << c.name;
        EXPECT_EQ(w.Graph(), graphBefore) << c.name;
        EXPECT_FALSE(w.window.Item("menuUndo")->isEnabled()) << c.name;
        EXPECT_TRUE(w.window.Item("menuRedo")->isEnabled()) << c.name;

        // Redo draws the graph of the document it gives back: automatic
        // limits are the drawing's.
        auto drawnLimits = [&w](GraphDocument d) {
            for (bool xAxis : {true, false}) {
                if (!d.Axis(xAxis).Autosize) continue;
                d.Axis(xAxis).Min = w.state.Doc.Axis(xAxis).Min;
                d.Axis(xAxis).Max = w.state.Doc.Axis(xAxis).Max;
            }
            return d;
        };
        QTest::keyClick(&keys, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_TRUE(w.state.Doc == drawnLimits(after)) << c.name;
        QTest::keyClick(&keys, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(w.state.Doc == before) << c.name;
        QTest::keyClick(&keys, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_TRUE(w.state.Doc == drawnLimits(after)) << c.name;
        EXPECT_TRUE(w.sink.Texts.empty()) << c.name << ": " << w.sink.Texts.front();
    }
}

// Letters typed into one legend text are one step; the next text is
// another.
TEST(UndoRedo, TypingIntoALegendTextIsOneStep) {
    Window w;
    w.window.PageControl->setCurrentWidget(w.window.LineSheet);
    Activate(w.window);
    auto* edit = w.window.LineSheetContents->findChild<QLineEdit*>("LineEdit1");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "run");
    EXPECT_EQ(w.state.Series(1).LegendText, "run");
    EXPECT_EQ(w.state.UndoStack.count(), 1);
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.state.Series(1).LegendText, "DATA2");
    EXPECT_EQ(edit->text().toStdString(), "DATA2");
}

}  // namespace
