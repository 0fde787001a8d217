#include "app/widgets/TfMainWindow.h"
#include "app/widgets/TFitReportWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/TfMain.h"
#include "app/widgets/DataGridModel.h"
#include "app/widgets/QtDesktop.h"
#include "app/widgets/TCanv.h"
#include "app/widgets/TFver.h"
#include "app/widgets/TGraphWindow.h"
#include "app/widgets/THelpViewer.h"
#include "app/widgets/ToolGlyphs.h"
#include "batch/widgets/TfSerial.h"
#include "dialogs/widgets/TFontSetDialog.h"
#include "dialogs/widgets/TGraphSetDialog.h"
#include "dialogs/widgets/TPlotSetDialog.h"
#include "graph/widgets/TLabelForm.h"
#include "graph/widgets/TSampleSetDialog.h"
#include "platform/FontSubstitution.h"
#include "platform/RaisedError.h"
#include "platform/RunCommand.h"
#include "plot/widgets/TPlotView.h"

namespace {

QFont WindowFont() {
    TLogFont font;
    font.FaceName = "ＭＳ Ｐゴシック";
    font.Height = -12;
    return MakeQFont(font);
}

}  // namespace

TfMainWindow::TfMainWindow(TfMain& state, QWidget* parent)
    : QMainWindow(parent), state_(state), qtDesktop_(this), desktop_(&qtDesktop_) {
    setObjectName("fMain");
    state_.ProgressDesktop = desktop_;
    setWindowTitle("Kurvo");
    setAcceptDrops(true);
    setWindowIcon(MakeProgramIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::WindowContextHelpButtonHint);
    setFont(WindowFont());
    BuildMenus();
    // As wide as every menu title needs, and no narrower than the grid's
    // four columns.
    resize(std::max(268, menuBar()->sizeHint().width()), 456);
    LoadRecentFiles();
    state_.PngExport = SavedPngOptions();
    connect(&state_, &TfMain::RecentFilesChanged, this, &TfMainWindow::SaveRecentFiles);
    // A text box must not claim the menus' shortcuts (see eventFilter).
    qApp->installEventFilter(this);
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildToolBar();
    layout->addWidget(ToolBar);
    BuildPages();
    layout->addWidget(PageControl, 1);
    setCentralWidget(central);

    GraphWindow = std::make_unique<TGraphWindow>(state_);
    Canv = GraphWindow->Canv;
    connect(Canv, &TCanv::SampleSettingsRequested, this, &TfMainWindow::menuSampleConfigClick);
    connect(Canv, &TCanv::SetRequested, this, &TfMainWindow::PopSetClick);
    connect(Canv, &TCanv::PlotSettingsRequested, this, &TfMainWindow::menuPlotConfigClick);
    connect(Canv, &TCanv::GraphSettingsRequested, this, &TfMainWindow::menuGraphConfigClick);
    connect(Canv, &TCanv::CopyRequested, this,
            [this] { RunCommand([this] { state_.PopCopyClick(); }); });
    connect(&state_, &TfMain::EnablingChanged, this, &TfMainWindow::UpdateEnabling);
    // The fit report is there after a drawing that fitted something.
    connect(&state_, &TfMain::GraphChanged, this,
            [this] { Item("menuFitReport")->setEnabled(!state_.FitResults().empty()); });
    Item("menuFitReport")->setEnabled(false);
    connect(&state_, &TfMain::GridChanged, gridModel_, &DataGridModel::Reload);
    // A column of times is as wide as its first time; the others keep the
    // grid's width.
    connect(&state_, &TfMain::GridChanged, this, [this] {
        const TStringGrid& grid = state_.DataG();
        const QFontMetrics metrics(DataG->font());
        for (int col = grid.FixedCols; col < grid.ColCount(); ++col) {
            int width = grid.DefaultColWidth;
            if (grid.TimeFormOf(col) && grid.Contains(col, grid.FixedRows))
                width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(
                                            grid.Cell(col, grid.FixedRows))) +
                                            12);
            DataG->setColumnWidth(col - grid.FixedCols, width);
        }
    });
    connect(&state_, &TfMain::CellsChanged, gridModel_, &DataGridModel::CellsChanged);
    connect(&state_, &TfMain::SeriesRowsChanged, this, &TfMainWindow::RebuildSeriesRows);
    connect(&state_, &TfMain::SeriesRowChanged, this, &TfMainWindow::UpdateSeriesRow);
    connect(&state_, &TfMain::GridChanged, this, &TfMainWindow::ShowDataFileInTitle);
    UpdateEnabling();
    RebuildSeriesRows();
    RestoreWindowPlaces();
}

void TfMainWindow::SetDesktop(Desktop* desktop) {
    desktop_ = state_.ProgressDesktop = desktop;
}

TfMainWindow::~TfMainWindow() {
    if (state_.ProgressDesktop == desktop_) state_.ProgressDesktop = nullptr;
}

QAction* TfMainWindow::Item(const QString& name) const {
    const auto it = items_.find(name);
    return it == items_.end() ? nullptr : it->second;
}

QToolButton* TfMainWindow::Button(const QString& name) const {
    const auto it = buttons_.find(name);
    return it == buttons_.end() ? nullptr : it->second;
}

QAction* TfMainWindow::AddItem(QMenu* menu, const char* name, const char* caption,
                               const char* shortcut) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(name);
    if (shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    items_[name] = action;
    return action;
}

void TfMainWindow::BuildPages() {
    PageControl = new QTabWidget;
    PageControl->setObjectName("PageControl");
    PageControl->setUsesScrollButtons(false);

    DataSheet = new QWidget;
    DataSheet->setObjectName("DataSheet");
    auto* dataLayout = new QVBoxLayout(DataSheet);
    dataLayout->setContentsMargins(0, 0, 0, 0);
    DataG = new QTableView;
    DataG->setObjectName("DataG");
    gridModel_ = new DataGridModel(state_, this);
    DataG->setModel(gridModel_);
    DataG->setSelectionMode(QAbstractItemView::ContiguousSelection);
    DataG->setSelectionBehavior(QAbstractItemView::SelectItems);
    DataG->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    DataG->setShowGrid(true);
    DataG->setWordWrap(false);
    // Uniform sections keep a 50 x 10000 table instant to show and scroll.
    DataG->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DataG->verticalHeader()->setDefaultSectionSize(state_.DataG().DefaultRowHeight);
    DataG->verticalHeader()->setFixedWidth(state_.DataG().DefaultColWidth);
    DataG->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    DataG->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DataG->horizontalHeader()->setDefaultSectionSize(state_.DataG().DefaultColWidth);
    DataG->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    DataG->horizontalHeader()->setFixedHeight(state_.DataG().DefaultRowHeight + 2);
    dataLayout->addWidget(DataG);
    // Ctrl+V in the grid (not in a cell being edited) reads the clipboard.
    auto* paste = new QAction(DataG);
    paste->setShortcut(QKeySequence::Paste);
    paste->setShortcutContext(Qt::WidgetShortcut);
    DataG->addAction(paste);
    connect(paste, &QAction::triggered, this, &TfMainWindow::menuDataPasteClick);
    PageControl->addTab(DataSheet, "ﾃﾞｰﾀ");

    LineSheet = new QScrollArea;
    LineSheet->setObjectName("LineSheet");
    LineSheet->setWidgetResizable(false);
    LineSheetContents = new QWidget;
    LineSheetContents->setObjectName("LineSheetContents");
    LineSheetContents->resize(240, 60);
    QPalette palette = LineSheetContents->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    LineSheetContents->setPalette(palette);
    // The series numbers up to 50 fit the 30 pixels of their check boxes
    // with a smaller box and gap.
    LineSheetContents->setStyleSheet(
        "QCheckBox { spacing: 2px; } QCheckBox::indicator { width: 11px; height: 11px; }");
    LineColLabel = new QLabel("ﾌﾟﾛｯﾄ                      凡例", LineSheetContents);
    LineColLabel->setObjectName("LineColLabel");
    LineColLabel->adjustSize();
    LineColLabel->move(8, kLineColLabelTop);
    AllImage = new QWidget(LineSheetContents);
    AllImage->setObjectName("AllImage");
    AllImage->setGeometry(160, 5, 80, 20);
    AllImage->hide();
    LineSheet->setWidget(LineSheetContents);
    PageControl->addTab(LineSheet, "ﾌﾟﾛｯﾄ");

    PageControl->setCurrentWidget(DataSheet);
}

void TfMainWindow::UpdateEnabling() {
    const CommandEnabling& e = state_.Enabling();
    Button("SaveGraphButton")->setEnabled(e.SaveGraphButton);
    Button("CopyGraphButton")->setEnabled(e.CopyGraphButton);
    Button("PlotButton")->setEnabled(e.PlotButton);
    Button("ConfigReadButton")->setEnabled(e.ConfigReadButton);
    Item("menuGraphSave")->setEnabled(e.menuGraphSave);
    Item("menuGraphCopy")->setEnabled(e.menuGraphCopy);
    Item("menuGraphPlot")->setEnabled(e.menuGraphPlot);
    Item("menuImageview")->setEnabled(e.menuImageview);
    Item("menuPlotConfig")->setEnabled(e.menuPlotConfig);
    Item("menuGraphConfig")->setEnabled(e.menuGraphConfig);
}

void TfMainWindow::menuQuitClick() {
    close();
}

void TfMainWindow::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program, with every other window,
    // once changed settings may be lost.
    if (state_.HasUnsavedSettings() && !desktop_->Confirm(TfMain::kUnsavedSettingsText)) {
        event->ignore();
        return;
    }
    SaveWindowPlaces();
    event->accept();
    QCoreApplication::quit();
}

void TfMainWindow::menuMokujiClick() {
    HelpViewer().ShowContents();
}

void TfMainWindow::menuKeywordClick() {
    HelpViewer().ShowKeywordSearch();
}

void TfMainWindow::PlotButtonClick() {
    RunCommand([this] { state_.PlotButtonClick(); });
}

void TfMainWindow::menuGraphSaveClick() {
    RunCommand([this] { state_.menuGraphSaveClick(*desktop_); });
}

void TfMainWindow::menuGraphCopyClick() {
    RunCommand([this] { state_.menuGraphCopyClick(); });
}

void TfMainWindow::menuImageviewClick() {
    RunCommand([this] { state_.menuImageviewClick(); });
}

void TfMainWindow::menuSampleConfigClick() {
    {
        TSampleSetDialog dialog(state_.Doc.Sample, this);
        if (dialog.exec() == QDialog::Accepted) state_.ApplySampleSettings(dialog.Settings());
    }
    // Redrawn also after a cancel.
    RunCommand([this] { state_.menuExPlotClick(); });
}

void TfMainWindow::menuSerialGraphClick() {
    TfSerial form(state_, batchMemory_, *desktop_, this);
    form.Running = [this](bool running) {
        if (running) GraphWindow->hide();
        PageControl->setVisible(!running);
    };
    form.exec();
}

void TfMainWindow::menuVerClick() {
    TFver about(this);
    about.exec();
}

void TfMainWindow::RebuildSeriesRows() {
    for (RowWidgets& row : rowWidgets_) {
        delete row.LineCheck;
        delete row.LineImage;
        delete row.LineEdit;
        delete row.SampleCheck;
    }
    rowWidgets_.clear();
    int bottom = 60;
    // Row n: its plot tick, its sample, its legend tick and its legend
    // text, one row pitch below the row before.
    const int top = kLineColLabelTop + kLineColLabelHeight + 5;
    for (int n = 0; n < state_.SeriesCount(); ++n) {
        const int y = top + kSeriesRowPitch * n;
        const QString number = QString::number(n);
        RowWidgets row;
        row.LineCheck = new QCheckBox(QString::number(n + 1), LineSheetContents);
        row.LineCheck->setObjectName("LineCheck" + number);
        row.LineCheck->setGeometry(5, y, 30, 20);
        connect(row.LineCheck, &QCheckBox::clicked, this,
                [this, n](bool checked) { state_.LineCheckClick(n, checked); });
        TPlot& plot = state_.LineImage(n);
        plot.Left = 35;
        plot.Top = y;
        row.LineImage = new TPlotView(plot, LineSheetContents);
        connect(row.LineImage, &TPlotView::Clicked, this, &TfMainWindow::AllImageClick);
        const int sampleLeft = plot.Left + plot.Width + 5;
        row.SampleCheck = new QCheckBox(LineSheetContents);
        row.SampleCheck->setObjectName("SampleCheck" + number);
        row.SampleCheck->setGeometry(sampleLeft, y, 25, 20);
        connect(row.SampleCheck, &QCheckBox::clicked, this,
                [this, n](bool checked) { state_.EditInLegend(n, checked); });
        row.LineEdit = new QLineEdit(LineSheetContents);
        row.LineEdit->setObjectName("LineEdit" + number);
        row.LineEdit->setGeometry(sampleLeft + 25, y, 80, 20);
        connect(row.LineEdit, &QLineEdit::textEdited, this,
                [this, n](const QString& text) { state_.EditLegendText(n, text.toStdString()); });
        for (QWidget* w :
             {static_cast<QWidget*>(row.LineCheck), static_cast<QWidget*>(row.LineImage),
              static_cast<QWidget*>(row.SampleCheck), static_cast<QWidget*>(row.LineEdit)})
            w->show();
        bottom = y + 20 + 5;
        rowWidgets_.push_back(row);
        UpdateSeriesRow(n);
    }
    // The page scrolls when the rows reach below it.
    LineSheetContents->resize(std::max(LineSheetContents->width(), 230), bottom);
}

void TfMainWindow::UpdateSeriesRow(int n) {
    if (n < 0 || n >= int(rowWidgets_.size())) return;
    const GraphSeries& series = state_.Series(n);
    RowWidgets& row = rowWidgets_[std::size_t(n)];
    row.LineCheck->setChecked(series.Plotted);
    row.SampleCheck->setChecked(series.InLegend);
    if (row.LineEdit->text().toStdString() != series.LegendText)
        row.LineEdit->setText(QString::fromStdString(series.LegendText));
    row.LineImage->update();
}

void TfMainWindow::AllImageClick(int tag) {
    OpenPlotSet(tag);
}

void TfMainWindow::OpenPlotSet(int startIndex) {
    if (!PlotSet) {
        PlotSet = new TPlotSetDialog(state_, this);
        connect(PlotSet, &TPlotSetDialog::Closed, this, &TfMainWindow::menuDelPlotClick);
        connect(PlotSet, &TPlotSetDialog::PlotRequested, this,
                [this] { RunCommand([this] { state_.DrawGraph(); }); });
    }
    PlotSet->SetStartIndex(startIndex);
    PlotSet->show();
    PlotSet->raise();
    PlotSet->activateWindow();
    PlotSet->FormActivate();
}

void TfMainWindow::menuFitReportClick() {
    if (!FitReport) FitReport = new TFitReportWindow(state_, this);
    FitReport->show();
    FitReport->raise();
    FitReport->activateWindow();
}

void TfMainWindow::menuPlotConfigClick() {
    OpenPlotSet(0);
}

void TfMainWindow::menuDelPlotClick() {
    if (!PlotSet) return;
    PlotSet->deleteLater();
    PlotSet = nullptr;
}

void TfMainWindow::menuGraphConfigClick() {
    if (!GraphSet) {
        GraphSet = new TGraphSetDialog(state_, this);
        connect(GraphSet, &TGraphSetDialog::Closed, this, &TfMainWindow::menuDelGraphClick);
        connect(GraphSet, &TGraphSetDialog::PlotRequested, this,
                [this] { RunCommand([this] { state_.DrawGraph(); }); });
    }
    GraphSet->show();
    GraphSet->raise();
    GraphSet->activateWindow();
    GraphSet->FormActivate();
}

void TfMainWindow::menuDelGraphClick() {
    if (!GraphSet) return;
    GraphSet->deleteLater();
    GraphSet = nullptr;
}

void TfMainWindow::menuFontClick() {
    TFontSetDialog dialog(state_.Doc, this);
    if (dialog.exec() != QDialog::Accepted) return;
    state_.Edit("ﾌｫﾝﾄ設定", [&](GraphDocument& d) { dialog.Form().Store(d); });
}

// Every legend text box that holds a selection is wrapped.
void TfMainWindow::WrapLegendSelections(char marker) {
    for (int n = 0; n < int(rowWidgets_.size()); ++n) {
        QLineEdit* edit = rowWidgets_[std::size_t(n)].LineEdit;
        if (!edit->hasSelectedText()) continue;
        const std::string text =
            WrapSelection(edit->text().toStdString(), int(edit->selectionStart()),
                          int(edit->selectedText().size()), marker);
        edit->setText(QString::fromStdString(text));
        state_.EditLegendText(n, text);
    }
}

void TfMainWindow::menuTextUpClick() {
    WrapLegendSelections('^');
}

void TfMainWindow::menuTextDownClick() {
    WrapLegendSelections('_');
}

void TfMainWindow::PopSetClick() {
    TMathLabel* label = state_.SelectedLabel;
    if (!label || state_.Selected == GraphObject::Image ||
        state_.Selected == GraphObject::SampleBase)
        return;
    TLabelForm editor(Canv);
    editor.Label.Font = label->Font;
    editor.Label.SetCaption(label->Caption());
    if (editor.exec() != QDialog::Accepted) return;
    RunCommand([&] { state_.ApplyLabelEdit(editor.Label.Caption(), editor.Label.Font); });
}
