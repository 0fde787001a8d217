// A formula fit chosen in the plot dialog, drawn, and its report opened
// from the menu with the keys and copied with the button.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/TfMain.h"
#include "app/widgets/ShownWindow.h"
#include "app/widgets/TFitReportWindow.h"
#include "app/widgets/TfMainWindow.h"
#include "dialogs/widgets/TPlotSetDialog.h"
#include "platform/MessageSink.h"

namespace {

TEST(FitReportWindow, AReadyModelIsFittedReportedAndCopied) {
    ShownWindow shown("0 1\n1 3\n2 5\n3 7\n");
    TfMain& state = shown.state;
    TfMainWindow& window = shown.window;
    const RecordingMessageSink& sink = shown.sink;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_FALSE(window.Item("menuFitReport")->isEnabled());

    window.menuPlotConfigClick();
    TPlotSetDialog& dialog = *window.PlotSet;
    dialog.Index->setCurrentText("2");
    // The first ready model, 直線, by the arrow key on the closed list.
    QTest::keyClick(dialog.FitModel, Qt::Key_Down);
    EXPECT_EQ(dialog.FitModel->currentText().toStdString(), "直線");
    const SeriesStyle& style = state.Series(1).Style;
    EXPECT_EQ(style.Formula, "a*x+b");
    EXPECT_EQ(style.Hokan, CurveMethod::Formula);
    QTest::mouseClick(dialog.LegendFormula, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_TRUE(style.LegendFormula);
    QTest::mouseClick(dialog.PlotBitBtn, Qt::LeftButton);
    ASSERT_TRUE(window.Item("menuFitReport")->isEnabled()) << ::testing::PrintToString(sink.Texts);
    EXPECT_NE(state.LegendTextOf(1).find("y = 2"), std::string::npos) << state.LegendTextOf(1);
    // The start values left empty are guessed: the hint shows the guess.
    EXPECT_EQ(dialog.Form().StartHint(), "空欄: ﾃﾞｰﾀから推定 (a=2;b=1)");
    dialog.close();

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
    QMenu* graph = window.menuBar()->findChild<QMenu*>("menuGraph");
    ASSERT_TRUE(graph);
    ASSERT_TRUE(QTest::qWaitFor([&] { return graph->isVisible(); }));
    QTest::keyClick(graph, Qt::Key_R);
    TFitReportWindow* report = window.findChild<TFitReportWindow*>("FitReportWindow");
    ASSERT_TRUE(report && report->isVisible());
    const std::string text = report->Report->toPlainText().toStdString();
    EXPECT_NE(text.find("DATA2\t式\ta*x+b\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\na\t2\t"), std::string::npos) << text;
    EXPECT_NE(text.find("\nb\t1\t"), std::string::npos) << text;

    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(report->CopyButton, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), report->Report->toPlainText());
}

}  // namespace
