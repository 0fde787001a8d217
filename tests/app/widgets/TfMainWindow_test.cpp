#include "app/widgets/TfMainWindow.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QRadioButton>
#include <QScrollArea>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QtTest/QTest>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "app/widgets/BoxMessageSink.h"
#include "app/widgets/QtDesktop.h"
#include "app/widgets/QtTranslation.h"
#include "app/widgets/TFver.h"
#include "app/widgets/THelpViewer.h"
#include "data/widgets/TDataOpen.h"
#include "platform/MessageSink.h"

namespace {

struct ItemCase {
    const char* name;
    const char* caption;
    const char* shortcut;
    bool visible;
    bool enabled;
};

const ItemCase kItems[] = {
    {"menuDataOpen", "ﾃﾞｰﾀﾌｧｲﾙを開く(&O)", "Ctrl+O", true, true},
    {"menuDataPaste", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞから読む(&V)", "", true, true},
    {"menuGraphSave", "ｸﾞﾗﾌの保存(&S)", "Ctrl+S", true, false},
    {"menuPrint", "印刷(&P)...", "Ctrl+P", true, true},
    {"menuConfigFileRead", "設定ﾌｧｲﾙ読込み", "", true, true},
    {"menuConfigFileWrite", "設定ﾌｧｲﾙの保存", "Ctrl+Shift+S", true, true},
    {"menuQuit", "終了(&X)", "Ctrl+Q", true, true},
    {"menuUndo", "元に戻す", "Ctrl+Z", true, false},
    {"menuRedo", "やり直し", "Ctrl+Y; Ctrl+Shift+Z", true, false},
    {"menuGraphCopy", "ｸﾞﾗﾌのｺﾋﾟｰ(&C)", "Ctrl+C", true, false},
    {"menuLabelCopy", "ﾗﾍﾞﾙのｺﾋﾟｰ", "", false, true},
    {"menuGraphPlot", "ｸﾞﾗﾌを描く", "", true, false},
    {"menuImageview", "ｸﾞﾗﾌの表示", "", true, false},
    {"menuPlotConfig", "ﾌﾟﾛｯﾄﾃﾞｰﾀ設定", "", true, false},
    {"menuGraphConfig", "ｸﾞﾗﾌ設定", "", true, false},
    {"menuSampleConfig", "凡例の設定", "", true, true},
    {"menuDelPlot", "PlotSet削除", "", false, true},
    {"menuDelGraph", "GraphSet削除", "", false, true},
    {"menuSerialGraph", "連続ｸﾞﾗﾌ処理", "", true, true},
    {"menuFramePlot", "ﾌﾚｰﾑを描く", "", false, true},
    {"menuLabelPlot", "ﾗﾍﾞﾙを描く", "", false, true},
    {"menuPlotNumber", "数字を描く", "", false, true},
    {"menuExPlot", "凡例を描く", "", false, true},
    {"menuTextUp", "上付き", "Ctrl+U", true, true},
    {"menuTextDown", "下付き", "Ctrl+D", true, true},
    {"menuFont", "全ﾌｫﾝﾄ設定", "", true, true},
    {"menuMokuji", "目次(&C)", "F1", true, true},
    {"menuKeyword", "ｷｰﾜｰﾄﾞ検索(&K)", "", true, true},
    {"menuVer", "ﾊﾞｰｼﾞｮﾝ情報(&A)", "", true, true},
};

TEST(TfMainWindow, EveryMenuItemWithItsCaptionShortcutAndState) {
    TfMain state;
    TfMainWindow window(state);
    for (const ItemCase& c : kItems) {
        QAction* item = window.Item(c.name);
        ASSERT_NE(item, nullptr) << c.name;
        EXPECT_EQ(item->text().toStdString(), c.caption) << c.name;
        EXPECT_EQ(QKeySequence::listToString(item->shortcuts()).toStdString(), c.shortcut)
            << c.name;
        EXPECT_EQ(item->isVisible(), c.visible) << c.name;
        if (c.visible) {
            EXPECT_EQ(item->isEnabled(), c.enabled) << c.name;
        }
    }
    EXPECT_FALSE(window.Item("N6")->isVisible());
    EXPECT_TRUE(window.Item("N1")->isSeparator());
}

TEST(TfMainWindow, MenusInTheirOrder) {
    TfMain state;
    TfMainWindow window(state);
    QStringList titles;
    for (QAction* a : window.menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, QStringList({"ﾌｧｲﾙ(&F)", "編集(&E)", "ﾃﾞｰﾀ(&D)", "ｸﾞﾗﾌ(&G)", "ﾃｷｽﾄ(&T)",
                                   "ﾍﾙﾌﾟ(&H)"}));
    QStringList file;
    for (QAction* a : window.menuBar()->actions()[0]->menu()->actions()) file << a->objectName();
    EXPECT_EQ(file, QStringList({"menuDataOpen", "menuDataAdd", "menuDataPaste", "menuGraphSave",
                                 "menuPrint", "N1", "menuConfigFileRead", "menuConfigFileWrite",
                                 "N2", "menuRecentData", "menuRecentConfigs", "N3", "menuQuit"}));
}

TEST(TfMainWindow, ToolBarButtonsWithTheirTooltipsPlacesAndStates) {
    struct Case {
        const char* name;
        int x;
        const char* tooltip;
        bool enabled;
    } cases[] = {
        {"OpenButton", 4, "ﾃﾞｰﾀﾌｧｲﾙを開く", true},
        {"SaveGraphButton", 29, "ｸﾞﾗﾌの保存", false},
        {"CopyGraphButton", 65, "ｸﾞﾗﾌのｺﾋﾟｰ", false},
        {"PlotButton", 91, "ｸﾞﾗﾌを描く", false},
        {"ConfigReadButton", 117, "設定ﾌｧｲﾙを読込む", false},
        {"SerialButton", 153, "連続ｸﾞﾗﾌ処理", true},
        {"HelpButton", 204, "ﾍﾙﾌﾟ", true},
    };
    TfMain state;
    TfMainWindow window(state);
    EXPECT_EQ(window.ToolBar->height(), 32);
    for (const Case& c : cases) {
        QToolButton* b = window.Button(c.name);
        ASSERT_NE(b, nullptr) << c.name;
        EXPECT_EQ(b->geometry(), QRect(c.x, 4, 25, 25)) << c.name;
        EXPECT_EQ(b->toolTip().toStdString(), c.tooltip) << c.name;
        EXPECT_EQ(b->isEnabled(), c.enabled) << c.name;
        EXPECT_FALSE(b->icon().isNull()) << c.name;
    }
    EXPECT_EQ(window.Button("ConfigReadButton")->property("Tag").toInt(), 9999);
}

TEST(TfMainWindow, CaptionPagesGridAndTemplate) {
    TfMain state;
    TfMainWindow window(state);
    EXPECT_EQ(window.windowTitle().toStdString(), "Kurvo");
    // Every menu title shows: no title behind the overflow button.
    EXPECT_EQ(window.height(), 456);
    EXPECT_GE(window.width(), window.menuBar()->sizeHint().width());
    EXPECT_GE(window.width(), 268);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    ASSERT_EQ(window.PageControl->count(), 2);
    EXPECT_EQ(window.PageControl->tabText(0).toStdString(), "ﾃﾞｰﾀ");
    EXPECT_EQ(window.PageControl->tabText(1).toStdString(), "ﾌﾟﾛｯﾄ");
    EXPECT_EQ(window.PageControl->currentWidget(), window.DataSheet);
    EXPECT_EQ(window.DataG->model()->columnCount(), 3);  // 4 x 20 with the headers
    EXPECT_EQ(window.DataG->model()->rowCount(), 19);
    EXPECT_EQ(window.LineColLabel->text().toStdString(), "ﾌﾟﾛｯﾄ                      凡例");
    EXPECT_EQ(window.LineColLabel->pos(), QPoint(8, 8));
    EXPECT_EQ(window.AllImage->geometry(), QRect(160, 5, 80, 20));
    EXPECT_TRUE(window.AllImage->isHidden());
}

TEST(TfMainWindow, OpeningADataFileFillsTheGridAndEnablesPlotting) {
    TestDir dir;
    FakeDesktop desktop;
    desktop.file = dir.Write("d.dat", "1 2 3\n4 5 6\n");
    TfMain state;
    TfMainWindow window(state);
    window.SetDesktop(&desktop);
    window.Button("OpenButton")->click();
    QAbstractItemModel* model = window.DataG->model();
    EXPECT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString().toStdString(), "1");
    EXPECT_EQ(model->headerData(1, Qt::Vertical).toString().toStdString(), "2");
    EXPECT_EQ(model->data(model->index(1, 2)).toString().toStdString(), "6");
    EXPECT_TRUE(window.Button("PlotButton")->isEnabled());
    EXPECT_TRUE(window.Item("menuGraphPlot")->isEnabled());
    EXPECT_TRUE(window.Item("menuPlotConfig")->isEnabled());
    EXPECT_TRUE(window.Item("menuGraphConfig")->isEnabled());
    EXPECT_FALSE(window.Button("SaveGraphButton")->isEnabled());
    EXPECT_FALSE(window.Item("menuImageview")->isEnabled());

    // An edited cell is what the grid holds from then on.
    model->setData(model->index(0, 0), "7.5", Qt::EditRole);
    EXPECT_EQ(state.DataG().Cell(1, 1), "7.5");
}

// The real options form: it opens with the delimiter its preview shows,
// Enter reads the file, and the notice of words among the numbers comes
// when the grid already shows them.
TEST(TfMainWindow, TheFormProposesTheDelimiterAndTheNoticeFollowsTheGrid) {
    TestDir dir;
    class ChosenFileDesktop : public QtDesktop {
      public:
        using QtDesktop::QtDesktop;
        std::string file;
        std::optional<OpenFileResult> OpenFile(const OpenFileRequest&) override {
            return OpenFileResult{{file}, 2};
        }
    };
    TfMain state;
    TfMainWindow window(state);
    ChosenFileDesktop desktop(&window);
    desktop.file = dir.Write("eu.csv", "t;U\n0,5;1,25\n1;abc\n1,5;2\n");
    window.SetDesktop(&desktop);
    window.show();
    BoxMessageSink boxes;
    ScopedMessageSink scope(boxes);
    bool semicolon = false, decimalComma = false;
    std::string notice;
    int rowsAtNotice = -1;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* form = qobject_cast<TDataOpen*>(modal)) {
            semicolon = form->ScRadio->isChecked();
            decimalComma = form->DecimalCheck->isChecked();
            QTest::keyClick(form, Qt::Key_Return);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            notice = box->text().toStdString();
            rowsAtNotice = window.DataG->model()->rowCount();
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    answer.start(20);
    window.Button("OpenButton")->click();
    answer.stop();
    EXPECT_TRUE(semicolon);
    EXPECT_TRUE(decimalComma);
    EXPECT_EQ(notice, "1 個の値は数値ではないので欠損値にしました (最初は 3 行目 2 列の 'abc')");
    EXPECT_EQ(rowsAtNotice, 3);  // the title row was proposed too
    EXPECT_EQ(state.DataG().Cell(2, 0), "2 U");
    EXPECT_EQ(state.DataG().Cell(2, 1), "1.25");
    EXPECT_EQ(state.DataG().Cell(2, 2), "");
}

// Files dropped on the window: the data file through the options form,
// then the configuration file, and a drawing.
TEST(TfMainWindow, DroppedFilesAreRead) {
    TestDir dir;
    FakeDesktop desktop;
    TfMain state;
    TfMain other;
    other.Doc.X().Large = 6;
    const std::string config = dir.Path("look.kvc");
    ASSERT_TRUE(other.WriteConfigFile(config));
    TfMainWindow window(state);
    window.SetDesktop(&desktop);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.Write("d.txt", "1 2\n3 4\n"))),
                  QUrl::fromLocalFile(QString::fromStdString(config))});
    QDragEnterEvent enter(QPoint(50, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    QCoreApplication::processEvents();
    EXPECT_EQ(state.DataG().Cell(2, 2), "4");
    EXPECT_EQ(state.Doc.X().Large, 6);
    EXPECT_TRUE(window.Button("SaveGraphButton")->isEnabled());
    // Dropped with Ctrl held, a data file is added to the one read.
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    QMimeData more;
    more.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.Write("e.txt", "5 6\n7 8\n")))});
    QDragEnterEvent enterMore(QPoint(50, 100), Qt::CopyAction, &more, Qt::LeftButton,
                              Qt::ControlModifier);
    QApplication::sendEvent(&window, &enterMore);
    QDropEvent add(QPointF(50, 100), Qt::CopyAction, &more, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(&window, &add);
    QCoreApplication::processEvents();
    EXPECT_EQ(state.ColumnCount(), 4);
    EXPECT_TRUE(sink.Texts.empty()) << ::testing::PrintToString(sink.Texts);
    EXPECT_EQ(state.DataG().Cell(4, 2), "8");
}

// The file menu offers the last files read, newest first, also in the
// next run; choosing one reads it again.
TEST(TfMainWindow, RecentFilesAreOfferedAndKept) {
    // What tests before this one saved.
    QSettings().clear();
    TestDir dir;
    FakeDesktop desktop;
    std::vector<std::string> data;
    {
        TfMain state;
        TfMainWindow window(state);
        window.SetDesktop(&desktop);
        for (int i = 0; i < 7; ++i) {
            data.push_back(
                dir.Write("d" + std::to_string(i) + ".txt", "1 2\n3 " + std::to_string(i) + "\n"));
            desktop.file = data.back();
            window.Button("OpenButton")->click();
        }
        ASSERT_EQ(window.RecentData->actions().size(), 5);
        EXPECT_TRUE(window.RecentData->actions()[0]->text().endsWith("d6.txt"));
        EXPECT_FALSE(window.RecentConfigs->isEnabled());
    }
    TfMain state;
    TfMainWindow window(state);
    window.SetDesktop(&desktop);
    ASSERT_EQ(state.RecentData.Items().size(), 5u);
    EXPECT_EQ(state.RecentData.Items()[4], data[2]);
    window.RecentData->actions()[3]->trigger();  // d3.txt
    EXPECT_EQ(state.DataG().Cell(2, 2), "3");
    EXPECT_EQ(state.RecentData.Items()[0], data[3]);
    QSettings().clear();
}

}  // namespace

namespace {

TEST(TfMainWindow, ThePlotPageShowsOneRowPerColumn) {
    TestDir dir;
    FakeDesktop desktop;
    desktop.file = dir.Write("five.txt", "1 2 3 4 5\n6 7 8 9 10\n");
    TfMain state;
    TfMainWindow window(state);
    window.SetDesktop(&desktop);
    window.menuDataOpenClick();
    for (int n = 0; n < 5; ++n) {
        auto* line = window.LineSheetContents->findChild<QCheckBox*>(QString("LineCheck%1").arg(n));
        auto* sample =
            window.LineSheetContents->findChild<QCheckBox*>(QString("SampleCheck%1").arg(n));
        auto* edit = window.LineSheetContents->findChild<QLineEdit*>(QString("LineEdit%1").arg(n));
        auto* image = window.LineSheetContents->findChild<QWidget*>(QString("LineImage%1").arg(n));
        ASSERT_TRUE(line && sample && edit && image) << n;
        EXPECT_EQ(line->isChecked(), n != 0);
        EXPECT_EQ(edit->text(), QString("DATA%1").arg(n + 1));
        EXPECT_EQ(image->geometry(), QRect(35, 25 + 26 * n, 80, 20));
    }
    auto* line2 = window.LineSheetContents->findChild<QCheckBox*>("LineCheck2");
    auto* sample2 = window.LineSheetContents->findChild<QCheckBox*>("SampleCheck2");
    line2->click();
    EXPECT_FALSE(sample2->isChecked());
    EXPECT_FALSE(state.Series(2).InLegend);
    line2->click();
    EXPECT_TRUE(sample2->isChecked());
    auto* edit1 = window.LineSheetContents->findChild<QLineEdit*>("LineEdit1");
    edit1->setFocus();
    edit1->selectAll();
    QInputMethodEvent typed;  // typed through the input method
    typed.setCommitString("温度");
    QApplication::sendEvent(edit1, &typed);
    EXPECT_EQ(state.Series(1).LegendText, "温度");

    desktop.file = dir.Write("two.txt", "1 2\n3 4\n");
    window.menuDataOpenClick();
    EXPECT_EQ(window.LineSheetContents->findChild<QCheckBox*>("LineCheck4"), nullptr);
    EXPECT_NE(window.LineSheetContents->findChild<QCheckBox*>("LineCheck1"), nullptr);
}

// Qt's own dialogs speak Japanese in the Japanese program.
TEST(QtTranslation, QtDialogsInJapanese) {
    ASSERT_TRUE(InstallQtJapanese(*QCoreApplication::instance()))
        << "qt6-translations-l10n is missing; scripts/setup installs it";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), "キャンセル");
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:").toStdString(),
              "ファイル名(&N):");
}

}  // namespace
