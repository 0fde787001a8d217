#pragma once

#include <QObject>
#include <string>

#include "app/Desktop.h"
#include "app/SettingsRecords.h"
#include "data/TDataOpenDialog.h"
#include "platform/TStringGrid.h"

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

    // Choose a data file, read it through the options form, show it.
    void menuDataOpenClick(Desktop& desktop);
    // Copies the reader's table into the grid and enables plotting.
    void FillDataGrid();

signals:
    void GridChanged();
    void EnablingChanged();

private:
    void Enable(bool CommandEnabling::*command);

    int columnCount_ = 0;
    int rowCount_ = 0;
    CommandEnabling enabling_;
    std::string lastDataPath_;
    int dataFilterIndex_ = 2;
    bool dataRead_ = false;
};
