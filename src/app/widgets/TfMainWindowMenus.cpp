// The main window's menus and tool bar, and the rule that their shortcuts
// come before the keys a text box would claim.
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolButton>

#include "app/TfMain.h"
#include "app/widgets/TfMainWindow.h"
#include "app/widgets/ToolGlyphs.h"
#include "platform/RunCommand.h"

bool TfMainWindow::IsMenuShortcut(const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    for (const auto& [name, action] : items_) {
        if (!action->isEnabled()) continue;
        for (const QKeySequence& shortcut : action->shortcuts())
            if (shortcut.matches(pressed) == QKeySequence::ExactMatch) return true;
    }
    return false;
}

// Copying, cutting and pasting belong to a text box when it has a
// selection to copy or cut, and always for pasting; Ctrl+C elsewhere copies
// the graph.
bool TfMainWindow::IsTextBoxKey(const QWidget* widget, const QKeyEvent& key) {
    const auto* box = qobject_cast<const QLineEdit*>(widget);
    if (!box) return false;
    if (key.matches(QKeySequence::Paste)) return !box->isReadOnly();
    if (key.matches(QKeySequence::Copy) || key.matches(QKeySequence::Cut))
        return box->hasSelectedText();
    return false;
}

bool TfMainWindow::eventFilter(QObject* watched, QEvent* event) {
    // A line edit claims keys such as Ctrl+U ("delete the line" under X11)
    // before any shortcut sees them. In this window the menus come first,
    // as the program was designed: a claim for a menu's key is not passed
    // on, so the menu's shortcut runs.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (widget && widget->window() == this && IsMenuShortcut(key) && !IsTextBoxKey(widget, key))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfMainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    // Narrow item padding keeps the five menus on the narrow window.
    bar->setStyleSheet("QMenuBar::item { padding: 2px 3px; }");
    auto separator = [this](QMenu* menu, const char* name) {
        QAction* s = menu->addSeparator();
        s->setObjectName(name);
        items_[name] = s;
        return s;
    };

    QMenu* file = bar->addMenu("ﾌｧｲﾙ(&F)");
    file->setObjectName("menuFile");
    AddItem(file, "menuDataOpen", "ﾃﾞｰﾀﾌｧｲﾙを開く(&O)", "Ctrl+O");
    AddItem(file, "menuDataAdd", "ﾃﾞｰﾀﾌｧｲﾙを追加(&A)");
    AddItem(file, "menuDataPaste", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞから読む(&V)");
    AddItem(file, "menuGraphSave", "ｸﾞﾗﾌの保存(&S)", "Ctrl+S");
    AddItem(file, "menuPrint", "印刷(&P)...", "Ctrl+P");
    separator(file, "N1");
    AddItem(file, "menuConfigFileRead", "設定ﾌｧｲﾙ読込み");
    AddItem(file, "menuConfigFileWrite", "設定ﾌｧｲﾙの保存", "Ctrl+Shift+S");
    separator(file, "N2");
    RecentData = file->addMenu("最近のﾃﾞｰﾀﾌｧｲﾙ");
    RecentData->setObjectName("menuRecentData");
    RecentData->menuAction()->setObjectName("menuRecentData");
    RecentConfigs = file->addMenu("最近の設定ﾌｧｲﾙ");
    RecentConfigs->setObjectName("menuRecentConfigs");
    RecentConfigs->menuAction()->setObjectName("menuRecentConfigs");
    separator(file, "N3");
    AddItem(file, "menuQuit", "終了(&X)", "Ctrl+Q");

    QMenu* edit = bar->addMenu("編集(&E)");
    edit->setObjectName("menuHensyu");
    // Undo and redo answer in the graph window too.
    QAction* undo = AddItem(edit, "menuUndo", "元に戻す", "Ctrl+Z");
    QAction* redo = AddItem(edit, "menuRedo", "やり直し", "Ctrl+Y");
    redo->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    for (QAction* step : {undo, redo}) step->setShortcutContext(Qt::ApplicationShortcut);
    undo->setEnabled(state_.UndoStack.canUndo());
    redo->setEnabled(state_.UndoStack.canRedo());
    connect(&state_.UndoStack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&state_.UndoStack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(undo, &QAction::triggered, this, [this] { RunCommand([this] { state_.Undo(); }); });
    connect(redo, &QAction::triggered, this, [this] { RunCommand([this] { state_.Redo(); }); });
    separator(edit, "N7");
    AddItem(edit, "menuGraphCopy", "ｸﾞﾗﾌのｺﾋﾟｰ(&C)", "Ctrl+C");
    separator(edit, "N6")->setVisible(false);
    AddItem(edit, "menuLabelCopy", "ﾗﾍﾞﾙのｺﾋﾟｰ")->setVisible(false);

    QMenu* data = bar->addMenu("ﾃﾞｰﾀ(&D)");
    data->setObjectName("menuData");
    AddItem(data, "menuComputedColumn", "計算列を追加(&C)");

    QMenu* graph = bar->addMenu("ｸﾞﾗﾌ(&G)");
    graph->setObjectName("menuGraph");
    AddItem(graph, "menuGraphPlot", "ｸﾞﾗﾌを描く");
    AddItem(graph, "menuImageview", "ｸﾞﾗﾌの表示");
    AddItem(graph, "menuFitReport", "ﾌｨｯﾄ結果(&R)");
    separator(graph, "N4");
    AddItem(graph, "menuPlotConfig", "ﾌﾟﾛｯﾄﾃﾞｰﾀ設定");
    AddItem(graph, "menuGraphConfig", "ｸﾞﾗﾌ設定");
    AddItem(graph, "menuSampleConfig", "凡例の設定");
    AddItem(graph, "menuDelPlot", "PlotSet削除")->setVisible(false);
    AddItem(graph, "menuDelGraph", "GraphSet削除")->setVisible(false);
    separator(graph, "N5");
    AddItem(graph, "menuSerialGraph", "連続ｸﾞﾗﾌ処理");
    AddItem(graph, "menuFramePlot", "ﾌﾚｰﾑを描く")->setVisible(false);
    AddItem(graph, "menuLabelPlot", "ﾗﾍﾞﾙを描く")->setVisible(false);
    AddItem(graph, "menuPlotNumber", "数字を描く")->setVisible(false);
    AddItem(graph, "menuExPlot", "凡例を描く")->setVisible(false);

    QMenu* text = bar->addMenu("ﾃｷｽﾄ(&T)");
    text->setObjectName("menuText");
    AddItem(text, "menuTextUp", "上付き", "Ctrl+U");
    AddItem(text, "menuTextDown", "下付き", "Ctrl+D");
    separator(text, "N3");
    AddItem(text, "menuFont", "全ﾌｫﾝﾄ設定");

    QMenu* help = bar->addMenu("ﾍﾙﾌﾟ(&H)");
    help->setObjectName("menuHelp");
    AddItem(help, "menuMokuji", "目次(&C)", "F1");
    AddItem(help, "menuKeyword", "ｷｰﾜｰﾄﾞ検索(&K)");
    AddItem(help, "menuVer", "ﾊﾞｰｼﾞｮﾝ情報(&A)");

    // The file and help keys answer in the graph window too.
    for (const char* name : {"menuDataOpen", "menuGraphSave", "menuPrint", "menuConfigFileWrite",
                             "menuQuit", "menuMokuji"})
        Item(name)->setShortcutContext(Qt::ApplicationShortcut);
    connect(Item("menuPrint"), &QAction::triggered, this, &TfMainWindow::menuPrintClick);
    connect(Item("menuDataPaste"), &QAction::triggered, this, &TfMainWindow::menuDataPasteClick);
    connect(Item("menuDataOpen"), &QAction::triggered, this, &TfMainWindow::menuDataOpenClick);
    connect(Item("menuDataAdd"), &QAction::triggered, this,
            [this] { RunCommand([this] { state_.menuDataOpenClick(*desktop_, true); }); });
    connect(Item("menuQuit"), &QAction::triggered, this, &TfMainWindow::menuQuitClick);
    connect(Item("menuMokuji"), &QAction::triggered, this, &TfMainWindow::menuMokujiClick);
    connect(Item("menuKeyword"), &QAction::triggered, this, &TfMainWindow::menuKeywordClick);
    connect(Item("menuVer"), &QAction::triggered, this, &TfMainWindow::menuVerClick);
    connect(Item("menuGraphPlot"), &QAction::triggered, this, &TfMainWindow::PlotButtonClick);
    connect(Item("menuGraphSave"), &QAction::triggered, this, &TfMainWindow::menuGraphSaveClick);
    connect(Item("menuConfigFileWrite"), &QAction::triggered, this,
            [this] { RunCommand([this] { state_.menuConfigFileWriteClick(*desktop_); }); });
    connect(Item("menuConfigFileRead"), &QAction::triggered, this,
            [this] { RunCommand([this] { state_.menuConfigFileReadClick(*desktop_); }); });
    connect(Item("menuGraphCopy"), &QAction::triggered, this, &TfMainWindow::menuGraphCopyClick);
    connect(Item("menuImageview"), &QAction::triggered, this, &TfMainWindow::menuImageviewClick);
    connect(Item("menuFitReport"), &QAction::triggered, this, &TfMainWindow::menuFitReportClick);
    connect(Item("menuComputedColumn"), &QAction::triggered, this,
            [this] { RunCommand([this] { state_.menuComputedColumnClick(*desktop_); }); });
    connect(Item("menuSampleConfig"), &QAction::triggered, this,
            &TfMainWindow::menuSampleConfigClick);
    connect(Item("menuSerialGraph"), &QAction::triggered, this,
            &TfMainWindow::menuSerialGraphClick);
    connect(Item("menuPlotConfig"), &QAction::triggered, this, &TfMainWindow::menuPlotConfigClick);
    connect(Item("menuGraphConfig"), &QAction::triggered, this,
            &TfMainWindow::menuGraphConfigClick);
    connect(Item("menuDelPlot"), &QAction::triggered, this, &TfMainWindow::menuDelPlotClick);
    connect(Item("menuDelGraph"), &QAction::triggered, this, &TfMainWindow::menuDelGraphClick);
    connect(Item("menuFont"), &QAction::triggered, this, &TfMainWindow::menuFontClick);
    connect(Item("menuTextUp"), &QAction::triggered, this, &TfMainWindow::menuTextUpClick);
    connect(Item("menuTextDown"), &QAction::triggered, this, &TfMainWindow::menuTextDownClick);
    // The hidden drawing commands, as other parts call them.
    connect(Item("menuFramePlot"), &QAction::triggered, this,
            [this] { RunCommand([this] { state_.menuFramePlotClick(); }); });
    connect(Item("menuLabelPlot"), &QAction::triggered, this,
            [this] { RunCommand([this] { state_.menuLabelPlotClick(); }); });
    connect(Item("menuPlotNumber"), &QAction::triggered, this,
            [this] { RunCommand([this] { state_.menuPlotNumberClick(); }); });
    connect(Item("menuExPlot"), &QAction::triggered, this,
            [this] { RunCommand([this] { state_.menuExPlotClick(); }); });
    connect(Item("menuLabelCopy"), &QAction::triggered, this,
            [this] { RunCommand([this] { state_.menuLabelCopyClick(); }); });
}

void TfMainWindow::BuildToolBar() {
    ToolBar = new QWidget;
    ToolBar->setObjectName("ToolBar");
    ToolBar->setFixedHeight(32);
    struct ToolButtonDesign {
        const char* name;
        int x;
        const char* tooltip;
        ToolGlyph glyph;
    };
    const ToolButtonDesign designs[] = {
        {"OpenButton", 4, "ﾃﾞｰﾀﾌｧｲﾙを開く", ToolGlyph::Open},
        {"SaveGraphButton", 29, "ｸﾞﾗﾌの保存", ToolGlyph::SaveGraph},
        {"CopyGraphButton", 65, "ｸﾞﾗﾌのｺﾋﾟｰ", ToolGlyph::CopyGraph},
        {"PlotButton", 91, "ｸﾞﾗﾌを描く", ToolGlyph::Plot},
        {"ConfigReadButton", 117, "設定ﾌｧｲﾙを読込む", ToolGlyph::ConfigRead},
        {"SerialButton", 153, "連続ｸﾞﾗﾌ処理", ToolGlyph::Serial},
        {"HelpButton", 204, "ﾍﾙﾌﾟ", ToolGlyph::Help},
    };
    for (const ToolButtonDesign& design : designs) {
        auto* button = new QToolButton(ToolBar);
        button->setObjectName(design.name);
        button->setGeometry(design.x, 4, 25, 25);
        button->setToolTip(QString::fromUtf8(design.tooltip));
        button->setIcon(MakeToolIcon(design.glyph));
        button->setAutoRaise(true);
        buttons_[design.name] = button;
    }
    Button("ConfigReadButton")->setProperty("Tag", 9999);
    connect(Button("OpenButton"), &QToolButton::clicked, this, &TfMainWindow::menuDataOpenClick);
    connect(Button("HelpButton"), &QToolButton::clicked, this, &TfMainWindow::menuMokujiClick);
    connect(Button("PlotButton"), &QToolButton::clicked, this, &TfMainWindow::PlotButtonClick);
    connect(Button("SerialButton"), &QToolButton::clicked, this,
            &TfMainWindow::menuSerialGraphClick);
    connect(Button("ConfigReadButton"), &QToolButton::clicked, this, [this] {
        RunCommand([this] { state_.menuConfigFileReadClick(*desktop_, TfMain::kQuickReadTag); });
    });
    connect(Button("SaveGraphButton"), &QToolButton::clicked, this,
            &TfMainWindow::menuGraphSaveClick);
    connect(Button("CopyGraphButton"), &QToolButton::clicked, this,
            &TfMainWindow::menuGraphCopyClick);
}
