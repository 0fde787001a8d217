#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "app/widgets/TfMainWindow.h"
#include "dialogs/GraphSetForm.h"
#include "dialogs/widgets/TFontSetDialog.h"
#include "dialogs/widgets/TGraphSetDialog.h"
#include "dialogs/widgets/TPlotSetDialog.h"
#include "graph/widgets/FontChoice.h"
#include "graph/widgets/TLabelForm.h"
#include "platform/MessageSink.h"
#include "plot/PlotNames.h"

namespace {

struct Loaded {
    TestDir dir;
    TfMain main;
    RecordingMessageSink sink;
    ScopedMessageSink scope{sink};
    Loaded() {
        main.DataOpen.FileName = dir.Write("d.txt", "1 2 3\n2 4 5\n3 1 2\n");
        main.DataOpen.DivMark = " ";
        EXPECT_TRUE(main.DataOpen.ReadData());
        main.FillDataGrid();
    }
};

TEST(TPlotSetDialog, AllWithDashDashesEverySampleAndTheTemplate) {
    Loaded l;
    TPlotSetDialog dialog(l.main);
    dialog.FormActivate();
    EXPECT_EQ(dialog.Index->currentText().toStdString(), "ALL");
    EXPECT_EQ(dialog.Name->text().toStdString(), "全てのデータに適用");
    EXPECT_EQ(dialog.Index->count(), 4);
    dialog.Ltype->setCurrentIndex(1);  // Dash
    for (int n = 0; n < 3; ++n) EXPECT_EQ(l.main.Series(n).Style.LineType, PenStyle::psDash) << n;
    EXPECT_EQ(l.main.AllImage.LineType, PenStyle::psDash);
    // The samples were redrawn dashed.
    bool dashPen = false;
    const Picture& sample = l.main.LineImage(2).SamplePicture;
    for (const PictureOp& op : sample.Ops())
        if (op.Kind == OpKind::Pen) dashPen |= sample.PenOf(op).Style == PenStyle::psDash;
    EXPECT_TRUE(dashPen);
    // A single series changed later; "ALL" still shows the template's Dash.
    dialog.Index->setCurrentText("2");
    dialog.Ltype->setCurrentIndex(0);
    EXPECT_EQ(l.main.Series(1).Style.LineType, PenStyle::psSolid);
    dialog.Index->setCurrentText("ALL");
    EXPECT_EQ(dialog.Ltype->currentIndex(), 1);
    // With "ALL", typing a name changes no legend text.
    dialog.Name->setText("nothing");
    EXPECT_EQ(l.main.Series(0).LegendText, "DATA1");
}

TEST(TPlotSetDialog, TheStartIndexSurvivesSwitchingEntries) {
    Loaded l;
    TPlotSetDialog dialog(l.main);
    dialog.SetStartIndex(3);  // the sample of the third column was clicked
    dialog.FormActivate();
    EXPECT_EQ(dialog.Index->currentText().toStdString(), "3");
    EXPECT_EQ(dialog.Name->text().toStdString(), "DATA3");
    dialog.Index->setCurrentText("1");
    EXPECT_EQ(dialog.Name->text().toStdString(), "DATA1");
    dialog.FormActivate();  // back from another window
    EXPECT_EQ(dialog.Index->currentText().toStdString(), "3");
    dialog.Name->setText("電圧");
    EXPECT_EQ(l.main.Series(2).LegendText, "電圧");
    // The row number is the first X choice, before the columns.
    EXPECT_EQ(dialog.AxisX->itemText(0).toStdString(), "行番号");
    EXPECT_EQ(dialog.AxisX->count(), 4);
    dialog.AxisX->setCurrentIndex(0);
    EXPECT_EQ(l.main.Series(2).Style.AxisX, kRowNumberAxisX);
    dialog.FormActivate();
    EXPECT_EQ(dialog.AxisX->currentText().toStdString(), "行番号");
    // The Y axis: left, or the right one, chosen with the keys.
    EXPECT_EQ(dialog.AxisY->currentText().toStdString(), "左");
    dialog.AxisY->setFocus();
    QTest::keyClick(dialog.AxisY, Qt::Key_Down);
    EXPECT_EQ(l.main.Series(2).Style.AxisY, SeriesStyle::kRightAxis);
    EXPECT_EQ(l.main.Series(1).Style.AxisY, SeriesStyle::kLeftAxis);
    dialog.FormActivate();
    EXPECT_EQ(dialog.AxisY->currentText().toStdString(), "右");
}

TEST(TPlotSetDialog, IntegerFieldsRefuseWhatTheDrawingCannotUse) {
    struct Case {
        const char* box;
        const char* text;
        const char* message;
    } cases[] = {
        {"Lwidth", "2x", "'2x' は整数ではありません"},
        {"Lwidth", "", "'' は整数ではありません"},
        {"Mpass", "-1", "間引く間隔 は 0 以上にしてください"},
        {"AxisX", "0", "X 軸の番号 は 1 以上にしてください"},
        {"Msize", "-4", "マーカーのサイズ は 0 以上にしてください"},
    };
    for (const Case& c : cases) {
        Loaded l;
        TPlotSetDialog dialog(l.main);
        dialog.SetStartIndex(2);
        dialog.FormActivate();
        const TPlot before = l.main.LineImage(1);
        dialog.findChild<QComboBox*>(c.box)->setCurrentText(c.text);
        ASSERT_FALSE(l.sink.Texts.empty()) << c.box << " " << c.text;
        EXPECT_EQ(l.sink.Texts.back(), c.message);
        const TPlot& after = l.main.LineImage(1);
        EXPECT_EQ(after.LineWidth, before.LineWidth);
        EXPECT_EQ(after.MarkPass, before.MarkPass);
        EXPECT_EQ(after.AxisX, before.AxisX);
        EXPECT_EQ(after.MarkSize, before.MarkSize);
    }
    // A width in points: whole pixels for the window, the fraction kept;
    // a text on its way to one waits for the end of the typing.
    Loaded l;
    TPlotSetDialog dialog(l.main);
    dialog.SetStartIndex(2);
    dialog.FormActivate();
    QComboBox* width = dialog.findChild<QComboBox*>("Lwidth");
    for (const char* typed : {"0", "0.", "0.5", "0.5p", "0.5pt"}) width->setCurrentText(typed);
    EXPECT_TRUE(l.sink.Texts.empty());
    EXPECT_EQ(l.main.Doc.Series[1].Style.LineWidth, 1);
    EXPECT_EQ(l.main.Doc.Series[1].Style.LineWidthPoints, 0.5);
    width->setCurrentText("3");
    EXPECT_EQ(l.main.Doc.Series[1].Style.LineWidthPoints, 0);
    width->setCurrentText("-1pt");
    emit width->lineEdit()->editingFinished();
    EXPECT_EQ(l.sink.Texts, std::vector<std::string>{PlotSetForm::kLineWidthText});
    EXPECT_EQ(width->currentText().toStdString(), "3");
}

TEST(TPlotSetDialog, AnIndexThatNamesNoSeriesTouchesNothing) {
    Loaded l;
    TPlotSetDialog dialog(l.main);
    dialog.SetStartIndex(9);  // beyond the three columns
    dialog.FormActivate();
    dialog.Msize->setCurrentText("16");
    dialog.Name->setText("x");
    dialog.Index->setCurrentText("7");
    dialog.Msize->setCurrentText("14");
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(l.main.Series(n).Style.MarkSize, 8);
        EXPECT_NE(l.main.Series(n).LegendText, "x");
    }
    EXPECT_EQ(l.main.AllImage.MarkSize, 8);
}

TEST(TPlotSetDialog, MarkSizesAndTheColourDialog) {
    Loaded l;
    l.main.Series(0).Style.MarkSize = 5;
    TPlotSetDialog dialog(l.main);
    dialog.SetStartIndex(1);
    dialog.FormActivate();
    EXPECT_EQ(dialog.Msize->currentText().toStdString(), "4");  // the next smaller entry
    EXPECT_EQ(l.main.Series(0).Style.MarkSize, 5);              // kept until picked
    std::vector<QColor> starts;
    dialog.ChooseColor = [&](const QColor& start) {
        starts.push_back(start);
        return std::optional<QColor>(QColor(255, 0, 0));
    };
    dialog.McolorClick();
    dialog.LcolorClick();
    EXPECT_EQ(l.main.Series(0).Style.MarkColor, clRed);
    EXPECT_EQ(l.main.Series(0).Style.LineColor, clRed);
    EXPECT_EQ(starts, (std::vector<QColor>{Qt::black, QColor(255, 0, 0)}));
    dialog.Mtype->setCurrentIndex(7);
    EXPECT_EQ(l.main.Series(0).Style.MarkType, MarkKind::Batsu);
    dialog.ErrorY->setCurrentText("2");
    EXPECT_EQ(l.main.Series(0).Style.ErrorY, 2);
    dialog.ErrorY->setCurrentText("なし");
    EXPECT_EQ(l.main.Series(0).Style.ErrorY, 0);
    dialog.ErrorCap->setCurrentText("6");
    EXPECT_EQ(l.main.Series(0).Style.ErrorCap, 6);
    dialog.Lhokan->setCurrentText("スプライン");
    EXPECT_EQ(l.main.Series(0).Style.Hokan, CurveMethod::Spline);
    // A typed name that is none of the methods is told when the typing
    // ends, and the series keeps its method.
    dialog.Lhokan->setCurrentText("spline");
    EXPECT_TRUE(l.sink.Texts.empty());
    emit dialog.Lhokan->lineEdit()->editingFinished();
    EXPECT_EQ(l.sink.Texts,
              std::vector<std::string>{
                  "補完方法 'spline' はありません (補完しない, 最小二乗法, "
                  "最小二乗法（データ範囲のみ）, スプライン, "
                  "スプライン（データ範囲のみ）, 平均値, 式, 式（データ範囲のみ） のどれか)"});
    EXPECT_EQ(l.main.Series(0).Style.Hokan, CurveMethod::Spline);
    EXPECT_EQ(dialog.Lhokan->currentText().toStdString(), "スプライン");
}

TEST(GraphSetForm, ChecksAndReplacements) {
    struct Case {
        const char* name;
        std::function<void(GraphSetTexts&)> edit;
        std::function<void(const TfMain&)> check;
        std::vector<std::string> messages;
    } cases[] = {
        {"5 to 5 on a linear X axis",
         [](GraphSetTexts& t) { t.MinX = t.MaxX = "5"; },
         [](const TfMain& m) { EXPECT_EQ(m.Doc.X().Max, 15); },
         {}},
        {"log X from 0 without automatic range",
         [](GraphSetTexts& t) {
             t.AxistypeX = "常用対数";
             t.AutosizeX = false;
             t.MinX = "0";
         },
         [](const TfMain& m) {
             EXPECT_EQ(m.Doc.X().Min, 1);
             EXPECT_EQ(m.Doc.X().Max, 10);
         },
         {"対数グラフでは最小値 > ０です"}},
        {"log X from 0 with automatic range passes",
         [](GraphSetTexts& t) {
             t.AxistypeX = "常用対数";
             t.MinX = "0";
         },
         [](const TfMain& m) { EXPECT_EQ(m.Doc.X().Min, 0); },
         {}},
        {"0 and 0 on a log Y axis",
         [](GraphSetTexts& t) {
             t.AxistypeY = "自然対数";
             t.AutosizeY = false;
             t.MinY = t.MaxY = "0";
         },
         [](const TfMain& m) {
             EXPECT_EQ(m.Doc.Y().Min, 1);
             EXPECT_EQ(m.Doc.Y().Max, 10);
         },
         {"対数グラフでは最小値 > ０です"}},
        {"a typed axis type that is none of the names keeps the type",
         [](GraphSetTexts& t) { t.AxistypeY = "log"; },
         [](const TfMain& m) { EXPECT_EQ(m.Doc.Y().Type, AxisKind::Linear); },
         {"軸の種類 'log' はありません (線形, 常用対数, 自然対数, 日時 のどれか)"}},
        {"a canvas the window set (1270) is kept",
         [](GraphSetTexts& t) { t.Canvaswidth = "1270"; },
         [](const TfMain& m) { EXPECT_EQ(m.Doc.Graph.Canvaswidth, 1270); },
         {}},
        {"10001, 19 and -1 with one message",
         [](GraphSetTexts& t) {
             t.Canvaswidth = "10001";
             t.Graphheight = "19";
             t.Graphtop = "-1";
             t.Graphleft = "0";
         },
         [](const TfMain& m) {
             EXPECT_EQ(m.Doc.Graph.Canvaswidth, 400);
             EXPECT_EQ(m.Doc.Graph.Height, 260);
             EXPECT_EQ(m.Doc.Graph.Top, 0);
             EXPECT_EQ(m.Doc.Graph.Left, 0);
         },
         {"グラフ、キャンバスサイズは20～10000のまでです。"}},
        {"15 major divisions are taken as typed",
         [](GraphSetTexts& t) { t.LargeGridX = "15"; },
         [](const TfMain& m) { EXPECT_EQ(m.Doc.X().Large, 15); },
         {}},
        {"a division count below 1 is refused by name",
         [](GraphSetTexts& t) {
             t.SmallGridY = "0";
             t.LargeLength = "-2";
         },
         [](const TfMain& m) {
             EXPECT_EQ(m.Doc.Y().Small, 5);
             EXPECT_EQ(m.Doc.Gridline.Largelength, 6);
         },
         {"Y軸 副目盛り数 は 1 以上にしてください", "主目盛り 長さ は 0 以上にしてください"}},
        {"a canvas of 8.5 x 6 cm with 8-point numbers",
         [](GraphSetTexts& t) {
             t.CanvasUnit = "cm";
             t.Canvaswidth = "8.5";
             t.Canvasheight = "6";
             t.NumberSize = "8";
         },
         [](const TfMain& m) {
             EXPECT_EQ(m.Doc.Graph.Canvaswidth, 321);
             EXPECT_NEAR(m.Doc.Graph.ExactCanvasWidth(), 321.2598, 1e-4);
             EXPECT_EQ(m.Doc.Fonts.Num.Size, 8);
             const GraphSetTexts shown = LoadGraphSet(m.Doc);
             EXPECT_EQ(shown.Canvaswidth + " x " + shown.Canvasheight + " " + shown.CanvasUnit,
                       "8.5 x 6 cm");
         },
         {}},
        {"a canvas too wide in inches is replaced, and measured in inches",
         [](GraphSetTexts& t) {
             t.CanvasUnit = "in";
             t.Canvaswidth = "200";
             t.NumberSize = "0";
         },
         [](const TfMain& m) {
             EXPECT_EQ(m.Doc.Graph.Canvaswidth, 400);
             EXPECT_EQ(LoadGraphSet(m.Doc).Canvaswidth, "4.167");
             EXPECT_EQ(m.Doc.Fonts.Num.Size, 12);
         },
         {"グラフ、キャンバスサイズは20～10000のまでです。",
          "数値の大きさは 1 から 1000 ポイントまでです"}},
    };
    for (const Case& c : cases) {
        Loaded l;
        GraphSetTexts t = LoadGraphSet(l.main.Doc);
        c.edit(t);
        ApplyGraphSet(l.main.Doc, t);
        c.check(l.main);
        EXPECT_EQ(l.sink.Texts, c.messages) << c.name;
    }
}

TEST(TGraphSetDialog, ShowsTheRecordsAndStopsAtABadNumber) {
    Loaded l;
    l.main.Doc.X().Max = 0.25;
    TGraphSetDialog dialog(l.main);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Kurvo ｸﾞﾗﾌ設定");
    EXPECT_EQ(dialog.Edit("MaxX")->text().toStdString(), "0.25");
    EXPECT_EQ(dialog.Edit("Canvaswidth")->text().toStdString(), "550");
    EXPECT_EQ(dialog.Combo("AxistypeX")->currentText().toStdString(), "線形");
    EXPECT_TRUE(dialog.PlotBitBtn->isDefault());
    dialog.Combo("AxistypeX")->setCurrentText("常用対数");
    dialog.Edit("MinY")->setText("zero");
    dialog.Edit("Canvaswidth")->setText("700");
    int plots = 0;
    QObject::connect(&dialog, &TGraphSetDialog::PlotRequested, [&] { ++plots; });
    dialog.PlotBitBtn->click();
    EXPECT_EQ(l.sink.Texts, std::vector<std::string>{"'zero' は浮動小数点ではありません"});
    EXPECT_EQ(plots, 0);
    EXPECT_EQ(l.main.Doc.X().Type, AxisKind::Log10);  // applied before the error
    EXPECT_EQ(l.main.Doc.Graph.Canvaswidth, 550);     // after it: not

    // The right axis' page: its own type, range and ticks.
    dialog.Edit("MinY")->setText("0");
    dialog.Combo("AxistypeY2")->setCurrentText("日時");
    dialog.AutosizeY2->setChecked(false);
    dialog.Edit("MinY2")->setText("5");
    dialog.Edit("MaxY2")->setText("2");  // not above the minimum: minimum + 10
    dialog.Combo("LargeGridY2")->setCurrentText("6");
    dialog.AxisNote->setChecked(true);
    dialog.OkBitBtn->click();
    const AxisSettings& y2 = l.main.Doc.Y2();
    EXPECT_EQ(y2.Type, AxisKind::Date);
    EXPECT_FALSE(y2.Autosize);
    EXPECT_EQ(y2.Min, 5);
    EXPECT_EQ(y2.Max, 15);
    EXPECT_EQ(y2.Large, 6);
    EXPECT_TRUE(l.main.Doc.Sample.AxisNote);
    EXPECT_EQ(l.main.Doc.Y().Type, AxisKind::Linear);

    // A date axis shows its limits as times, and takes them typed so.
    ScopedTimeZone utc("UTC0");
    dialog.FormActivate();
    EXPECT_EQ(dialog.Edit("MinY2")->text().toStdString(), "1970-01-01 00:00:05");
    EXPECT_EQ(dialog.Edit("MinY")->text().toStdString(), "0");
    dialog.Edit("MinY2")->setText("2024-01-31 06:00");
    dialog.Edit("MaxY2")->setText("2024-02-01");
    dialog.OkBitBtn->click();
    EXPECT_EQ(y2.Min, 1706680800);
    EXPECT_EQ(y2.Max, 1706745600);

    // Another unit shows the sizes in it.
    dialog.Combo("CanvasUnit")->setCurrentText("cm");
    EXPECT_EQ(dialog.Edit("Canvaswidth")->text().toStdString(), "18.521");  // 700 px
    dialog.Combo("CanvasUnit")->setCurrentText("mm");
    EXPECT_EQ(dialog.Edit("Canvaswidth")->text().toStdString(), "185.21");
}

TEST(TFontSetDialog, NamesSizesOkAndCancel) {
    Loaded l;
    {
        TFontSetDialog dialog(l.main.Doc);
        EXPECT_EQ(dialog.FontName[3]->currentText().toStdString(), "Times New Roman");
        EXPECT_EQ(dialog.Size[0]->currentText().toStdString(), "14");
        dialog.FontName[0]->setCurrentText(QString(40, 'A'));
        dialog.Size[1]->setCurrentText("");
        EXPECT_EQ(l.sink.Texts, std::vector<std::string>{"'' は整数ではありません"});
        dialog.Size[1]->setCurrentText("20");
        dialog.CancelBitBtn->click();
    }
    EXPECT_EQ(l.main.Doc.Fonts.Graphtitle.Name, "Times New Roman");
    EXPECT_EQ(l.main.Doc.X().TitleFont.Size, 14);
    {
        TFontSetDialog dialog(l.main.Doc);
        dialog.FontName[0]->setCurrentText(QString(40, 'A'));
        dialog.Size[1]->setCurrentText("20");
        dialog.ChooseFont = [](const FontSetting& f) {
            FontSetting chosen = f;
            chosen.Name = "Arial";
            chosen.Bold = true;
            chosen.Charset = 128;
            return std::optional<FontSetting>(chosen);
        };
        dialog.FontButtonClick(4);
        EXPECT_EQ(dialog.FontName[4]->currentText().toStdString(), "Arial");
        dialog.OkBitBtn->click();
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
        dialog.Form().Store(l.main.Doc);
    }
    EXPECT_EQ(l.main.Doc.Fonts.Graphtitle.Name, std::string(31, 'A'));
    EXPECT_EQ(l.main.Doc.X().TitleFont.Size, 20);
    EXPECT_EQ(l.main.Doc.Fonts.Sample.Name, "Arial");
    EXPECT_TRUE(l.main.Doc.Fonts.Sample.Bold);
    EXPECT_EQ(l.main.Doc.Fonts.Sample.Charset, 128);
    EXPECT_EQ(l.main.Doc.Fonts.Num.Name, "Times New Roman");  // showing changed nothing
}

// The font detail dialog starts from a size it can show, whatever a
// configuration file held.
TEST(TFontSetDialog, TheDetailDialogStartsWithinTheDrawableSizes) {
    const struct {
        int size;
        int shown;
    } cases[] = {{14, 14}, {0, 1}, {-20, 1}, {1000, 1000}, {737095516, 1000}};
    for (const auto& c : cases) {
        FontSetting font;
        font.Size = c.size;
        EXPECT_EQ(ToDialogFont(font).pointSize(), c.shown) << c.size;
    }
}

// The font dialog answered with Enter, nothing changed, gives the font it
// was shown, in every style of a face with four.
TEST(ChooseFontSetting, OkWithoutAChangeKeepsTheFont) {
    for (const bool bold : {false, true})
        for (const bool italic : {false, true}) {
            FontSetting start;  // Times New Roman, drawn with Liberation Serif
            start.Bold = bold;
            start.Italic = italic;
            QTimer::singleShot(100, [] {
                if (QWidget* modal = QApplication::activeModalWidget())
                    QTest::keyClick(modal, Qt::Key_Return);
            });
            // The dialog is shown the face's own name of the style.
            const QFont shown = ToDialogFont(start);
            EXPECT_EQ(QFontDatabase::italic(shown.family(), shown.styleName()), italic);
            EXPECT_EQ(QFontDatabase::bold(shown.family(), shown.styleName()), bold);
            const std::optional<FontSetting> chosen = ChooseFontSetting(nullptr, start, "ﾌｫﾝﾄ変更");
            ASSERT_TRUE(chosen);
            EXPECT_TRUE(*chosen == start)
                << "bold " << bold << ", italic " << italic << ": " << chosen->Bold
                << chosen->Italic << " " << chosen->Name << " " << chosen->Size;
        }
}

TEST(TLabelForm, SuperscriptSubscriptAndCancel) {
    EXPECT_EQ(WrapSelection("x2", 1, 1, '^'), "x^2@");
    EXPECT_EQ(WrapSelection("x2", 1, 0, '^'), "x2");
    EXPECT_EQ(WrapSelection("温度T1", 2, 2, '_'), "温度_T1@");
    TLabelForm editor;
    EXPECT_EQ(editor.windowTitle().toStdString(), "ﾃｷｽﾄの変更");
    editor.Label.SetCaption("x2");
    editor.FormShow();
    editor.Box->setSelection(1, 1);
    editor.FontUp->click();
    EXPECT_EQ(editor.Box->text().toStdString(), "x^2@");
    EXPECT_EQ(editor.Label.Caption(), "x^2@");
    editor.Box->deselect();
    editor.FontDown->click();  // nothing selected: nothing changes
    EXPECT_EQ(editor.Box->text().toStdString(), "x^2@");
    QTimer::singleShot(0, &editor, [&] { editor.CancelBitBtn->click(); });
    EXPECT_EQ(editor.exec(), QDialog::Rejected);
    EXPECT_EQ(editor.Result, "no_initial");
}

TEST(TfMainWindow, TheDialogsOpenFromTheirCommands) {
    Loaded l;
    TfMainWindow window(l.main);
    window.Item("menuPlotConfig")->trigger();
    ASSERT_NE(window.PlotSet, nullptr);
    TPlotSetDialog* first = window.PlotSet;
    window.AllImageClick(2);
    EXPECT_EQ(window.PlotSet, first);  // one dialog, now on series 2
    EXPECT_EQ(first->Index->currentText().toStdString(), "2");
    window.Item("menuPlotConfig")->trigger();
    EXPECT_EQ(first->Index->currentText().toStdString(), "ALL");
    first->close();
    EXPECT_EQ(window.PlotSet, nullptr);
    window.Item("menuGraphConfig")->trigger();
    ASSERT_NE(window.GraphSet, nullptr);
    window.GraphSet->close();
    EXPECT_EQ(window.GraphSet, nullptr);

    // Ctrl+U wraps the selection of every legend text that has one.
    auto* edit0 = window.LineSheetContents->findChild<QLineEdit*>("LineEdit0");
    auto* edit2 = window.LineSheetContents->findChild<QLineEdit*>("LineEdit2");
    edit0->setSelection(4, 1);
    edit2->setSelection(0, 4);
    window.Item("menuTextUp")->trigger();
    EXPECT_EQ(l.main.Series(0).LegendText, "DATA^1@");
    EXPECT_EQ(l.main.Series(2).LegendText, "^DATA@3");
    EXPECT_EQ(l.main.Series(1).LegendText, "DATA2");
}

}  // namespace
