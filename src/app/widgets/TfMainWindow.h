#pragma once

#include <QMainWindow>
#include <map>
#include <memory>
#include <vector>

#include "app/widgets/QtDesktop.h"
#include "batch/BatchMemory.h"

class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QTabWidget;
class QTableView;
class QToolButton;
class DataGridModel;
class TfMain;
class TCanv;
class TGraphWindow;
class TPlotSetDialog;
class TGraphSetDialog;

// The main window "Kurvo": menus, tool bar, the data grid and the plot-line
// page over the core TfMain.
class TfMainWindow : public QMainWindow {
    Q_OBJECT

  public:
    // The label above the plot-line list and the rows below it, as
    // designed.
    static constexpr int kLineColLabelTop = 8;
    static constexpr int kLineColLabelHeight = 12;
    static constexpr int kSeriesRowPitch = 26;
    explicit TfMainWindow(TfMain& state, QWidget* parent = nullptr);
    ~TfMainWindow() override;

    TfMain& State() { return state_; }
    QAction* Item(const QString& name) const;
    QToolButton* Button(const QString& name) const;
    // Replaces the dialogs the commands use, for tests.
    void SetDesktop(Desktop* desktop);
    // The file menu's last data and configuration files.
    QMenu* RecentData = nullptr;
    QMenu* RecentConfigs = nullptr;

    QWidget* ToolBar;
    QTabWidget* PageControl;
    QWidget* DataSheet;
    QTableView* DataG;
    QScrollArea* LineSheet;
    QWidget* LineSheetContents;
    QLabel* LineColLabel;
    QWidget* AllImage;
    // The graph window, hidden until a graph is shown, and its canvas.
    std::unique_ptr<TGraphWindow> GraphWindow;
    TCanv* Canv;

  public slots:
    void menuDataOpenClick();
    // The files named on the command line.
    void OpenStartFiles(const std::vector<std::string>& files, bool add = false);
    void menuQuitClick();
    void menuMokujiClick();
    void menuKeywordClick();
    void menuVerClick();
    void PlotButtonClick();
    void menuGraphSaveClick();
    // The graph on a printer through the print dialog, as large as the
    // page allows.
    void menuPrintClick();
    // The clipboard's text read as a data file.
    void menuDataPasteClick();
    void menuGraphCopyClick();
    void menuImageviewClick();
    void menuFitReportClick();
    void menuSampleConfigClick();
    void menuSerialGraphClick();
    void menuPlotConfigClick();
    void menuGraphConfigClick();
    void menuDelPlotClick();
    void menuDelGraphClick();
    void menuFontClick();
    void menuTextUpClick();
    void menuTextDownClick();
    void PopSetClick();
    void UpdateEnabling();
    // The plot-line list after the core rebuilt its series rows.
    void RebuildSeriesRows();
    void UpdateSeriesRow(int n);
    void AllImageClick(int tag);

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Files dropped on the window are read as files on the command line
    // are: a data file through the options form, a ".kvc" configuration.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The recent files are kept between runs in the user's settings.
    void LoadRecentFiles();
    void SaveRecentFiles();
    // The places and sizes of the main and graph windows, between runs.
    void RestoreWindowPlaces();
    void SaveWindowPlaces() const;
    // "wave.dat - Kurvo" once a data file is read.
    void ShowDataFileInTitle();
    void FillRecentMenus();
    QAction* AddItem(QMenu* menu, const char* name, const char* caption,
                     const char* shortcut = nullptr);
    void BuildMenus();
    // The key is the shortcut of an enabled menu item.
    bool IsMenuShortcut(const class QKeyEvent& key) const;
    static bool IsTextBoxKey(const QWidget* widget, const QKeyEvent& key);
    void BuildToolBar();
    void BuildPages();

    TfMain& state_;
    QtDesktop qtDesktop_;
    Desktop* desktop_;
    DataGridModel* gridModel_;
    std::map<QString, QAction*> items_;
    std::map<QString, QToolButton*> buttons_;
    // The widgets of each series row, in the core's order.
    struct RowWidgets {
        class QCheckBox* LineCheck;
        class TPlotView* LineImage;
        class QCheckBox* SampleCheck;
        class QLineEdit* LineEdit;
    };
    std::vector<RowWidgets> rowWidgets_;
    // What the batch form remembers for the run.
    BatchMemory batchMemory_;
    void OpenPlotSet(int startIndex);
    void WrapLegendSelections(char marker);

  public:
    // The two modeless settings dialogs, at most one each.
    TPlotSetDialog* PlotSet = nullptr;
    TGraphSetDialog* GraphSet = nullptr;
    class TFitReportWindow* FitReport = nullptr;
};
