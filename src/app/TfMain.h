#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "app/Desktop.h"
#include "app/SettingsRecords.h"
#include "data/TDataOpenDialog.h"
#include "platform/Controls.h"
#include "platform/TStringGrid.h"
#include "plot/TPlot.h"

// Which commands of the main window are usable. Commands only ever become
// enabled during a run.
struct CommandEnabling {
    bool SaveGraphButton = false;
    bool CopyGraphButton = false;
    bool PlotButton = false;
    bool ConfigReadButton = false;
    bool menuGraphSave = false;
    bool menuGraphCopy = false;
    bool menuGraphPlot = false;
    bool menuImageview = false;
    bool menuPlotConfig = false;
    bool menuGraphConfig = false;
    bool operator==(const CommandEnabling&) const = default;
};

// One series row of the plot-line list: plot this column as Y, its plot
// series with its sample, list it in the legend, its legend text.
struct SeriesRow {
    TCheckBox LineCheck;
    std::unique_ptr<TPlot> LineImage;
    TCheckBox SampleCheck;
    TEdit LineEdit;
};

// The main window's state and commands, without a window: the data reader
// and its table, the grid's cell texts, the settings records and the
// enabling of the commands. The window shows it and forwards to it.
class TfMain : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kDataFilter =
        "ﾃｷｽﾄ (*.txt)|*.txt|ﾃﾞｰﾀ (*.dat)|*.dat|設定ﾌｧｲﾙ( *.kvc)|*.kvc|全てのﾌｧｲﾙ (*.*)|*.*";
    static constexpr const char* kTooMuchDataText = "ﾃﾞｰﾀが多すぎです。";

    TfMain();

    TDataOpenDialog DataOpen;
    TStringGrid DataG{4, 20};
    // The hidden template series; its size is that of every sample.
    TPlot AllImage;
    // The label above the plot-line list, as designed.
    static constexpr int kLineColLabelTop = 8;
    static constexpr int kLineColLabelHeight = 12;
    static constexpr int kSeriesRowPitch = 26;

    GraphSettings Graph;
    GridlineSettings Gridline;
    SampleSettings Sample;
    TitleTexts Title;
    FontSettings Fonts;

    int ColumnCount() const { return columnCount_; }
    int RowCount() const { return rowCount_; }
    const CommandEnabling& Enabling() const { return enabling_; }

    // Remembered by the open dialog for the run.
    const std::string& LastDataPath() const { return lastDataPath_; }
    int DataFilterIndex() const { return dataFilterIndex_; }
    bool DataRead() const { return dataRead_; }

    int SeriesCount() const { return int(rows_.size()); }
    SeriesRow& Series(int n) { return rows_.at(std::size_t(n)); }
    TCheckBox& LineCheck(int n) { return Series(n).LineCheck; }
    TPlot& LineImage(int n) { return *Series(n).LineImage; }
    TCheckBox& SampleCheck(int n) { return Series(n).SampleCheck; }
    TEdit& LineEdit(int n) { return Series(n).LineEdit; }

    // Choose a data file, read it through the options form, show it.
    void menuDataOpenClick(Desktop& desktop);
    // Copies the reader's table into the grid, rebuilds the series rows and
    // enables plotting.
    void FillDataGrid();
    // Destroys the old series rows and makes one per column.
    void BuildSeriesList();
    static std::string DefaultMarkName(int n);
    // After a click on LineCheck n: the legend tick follows it.
    void LineCheckClick(int n);

signals:
    void GridChanged();
    void EnablingChanged();
    void SeriesRowsChanged();
    void SeriesRowChanged(int n);

private:
    void Enable(bool CommandEnabling::*command);

    std::vector<SeriesRow> rows_;
    int columnCount_ = 0;
    int rowCount_ = 0;
    CommandEnabling enabling_;
    std::string lastDataPath_;
    int dataFilterIndex_ = 2;
    bool dataRead_ = false;
};
