#include "app/TfMain.h"
#include "document/ComputedColumns.h"

#include <cctype>

#include <cmath>
#include <filesystem>

#include "config/ConfigFile.h"
#include "platform/FilePaths.h"
#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/PlainFile.h"
#include "platform/RaisedError.h"

TfMain::TfMain() {
    // A step keeps its documents' tables: a hundred steps hold at most a
    // hundred files read.
    UndoStack.setUndoLimit(kUndoLimit);
    AllImage.Name = "AllImage";
    // Its size is that of every sample; the window places the samples.
    AllImage.Width = 80;
    AllImage.Height = 20;
    AllImage.Xsize = 0;
    AllImage.Ysize = 0;
    AllImage.SetCount(1);
}

void TfMain::Enable(bool CommandEnabling::*command) {
    if (enabling_.*command) return;
    enabling_.*command = true;
    emit EnablingChanged();
}

void TfMain::menuDataOpenClick(Desktop& desktop) {
    OpenFileRequest request;
    request.Filter = kDataFilter;
    request.MultiSelect = true;
    if (dataRead_) {
        request.InitialDir = std::filesystem::path(lastDataPath_).parent_path().string();
        request.FilterIndex = dataFilterIndex_;
    } else {
        request.FilterIndex = 2;
    }
    const auto chosen = desktop.OpenFile(request);
    if (!chosen || chosen->Files.empty()) return;
    dataFilterIndex_ = chosen->FilterIndex;
    OpenDataFile(desktop, chosen->Files.front());
}

bool TfMain::OpenDataFile(Desktop& desktop, const std::string& path) {
    DataOpen.FileName = path;
    lastDataPath_ = path;
    const bool read = DataOpen.Execute(
        [&](const std::vector<std::string>& preview, const DataOpenChoice& proposed) {
            return desktop.ShowDataOpenForm(preview, proposed);
        });
    if (!read) return false;
    dataRead_ = true;
    RecentData.Add(path);
    emit RecentFilesChanged();
    FillDataGrid();
    return true;
}

bool TfMain::IsConfigFileName(const std::string& path) {
    std::string extension = FileExtension(path);
    for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".kvc";
}

bool TfMain::OpenConfigFile(const std::string& path) {
    lastConfigRead_ = path;
    if (!ReadConfigFile(path)) return false;
    configRead_ = true;
    RecentConfigs.Add(path);
    emit RecentFilesChanged();
    Enable(&CommandEnabling::ConfigReadButton);
    return true;
}

void TfMain::OpenStartFiles(Desktop& desktop, const std::vector<std::string>& files) {
    std::string data, config;
    for (const std::string& file : files) {
        if (IsConfigFileName(file))
            config = file;
        else if (data.empty())
            data = file;
    }
    const bool read = !data.empty() && OpenDataFile(desktop, data);
    if (config.empty()) return;
    if (!IsReadablePlainFile(config)) {
        ShowMessage(ReadRefusalText(config));
        return;
    }
    if (OpenConfigFile(config) && read) DrawGraph();
}

void TfMain::FillDataGrid() {
    const int cols = DataOpen.Col();
    const int rows = DataOpen.Row();
    DataSource source;
    source.Path = DataOpen.FileName;
    source.Read = {DataOpen.Delimiter().value_or(DataDelimiter::Space), DataOpen.DecimalComma};
    source.Columns = cols;
    source.Rows = rows;
    for (int i = 0; i < cols; ++i)
        source.Titles.push_back(DataOpen.ReadTitle ? DataOpen.Title(i) : "");
    auto grid = std::make_shared<TStringGrid>(cols + 1, rows + 1);
    // The grid holds the numbers (a missing value is an empty cell) and
    // shows the row numbers; only the column titles are texts.
    // The reader's table moves into the grid: a million rows are not kept
    // twice.
    const std::vector<double> table = DataOpen.TakeTable();
    if (table.size() >= std::size_t(cols) * std::size_t(rows))
        for (int i = 0; i < cols; ++i) {
            const double* column = table.data() + std::size_t(i) * std::size_t(rows);
            for (int j = 0; j < rows; ++j) grid->SetNumber(i + 1, j + 1, column[j]);
        }
    grid->NumberedRows = true;
    for (int i = 1; i <= cols; ++i)
        grid->SetCell(i, 0,
                      DataOpen.ReadTitle ? IntToStr(i) + " " + DataOpen.Title(i - 1) : IntToStr(i));
    source.Table = std::move(grid);

    // One series per column, with fresh styles. A file of one column is
    // drawn against the row number; otherwise the first column is every
    // series' X.
    std::vector<GraphSeries> series;
    const bool oneColumn = cols == 1;
    for (int n = 0; n < cols; ++n) {
        GraphSeries s;
        s.YColumn = n + 1;
        s.Plotted = s.InLegend = n != 0 || oneColumn;
        s.LegendText = DataOpen.ReadTitle ? DataOpen.Title(n) : "DATA" + IntToStr(n + 1);
        s.Style.MarkType = DefaultMark(n);
        if (oneColumn) s.Style.AxisX = kRowNumberAxisX;
        series.push_back(std::move(s));
    }
    Edit("ﾃﾞｰﾀﾌｧｲﾙを開く", [&](GraphDocument& d) {
        d.Sources = {std::move(source)};
        d.ComputedColumns.clear();
        d.Series = std::move(series);
        d.Read = d.Sources.front().Read;
    });

    Enable(&CommandEnabling::PlotButton);
    Enable(&CommandEnabling::menuGraphPlot);
    Enable(&CommandEnabling::menuGraphConfig);
    Enable(&CommandEnabling::menuPlotConfig);

    // Told once the grid shows the file, so that the user can look.
    const std::string notice = DataOpen.NotNumberNotice();
    if (!notice.empty()) ShowNotice(notice);
}

bool TfMain::AddComputedColumn(const std::string& formula) {
    if (ColumnCount() == 0) {
        ShowMessage(kNoDataForColumnText);
        return false;
    }
    std::vector<double> values;
    std::string reason;
    if (!ComputeColumn(Doc.Table(), ColumnCount(), RowCount(), formula, values, reason)) {
        ShowMessage(FormatText(kComputedColumnText, {formula, reason}));
        return false;
    }
    Edit("計算列を追加", [&](GraphDocument& d) { ::AddComputedColumn(d, formula, values); });
    return true;
}

void TfMain::menuComputedColumnClick(Desktop& desktop) {
    if (ColumnCount() == 0) {
        ShowMessage(kNoDataForColumnText);
        return;
    }
    const auto formula = desktop.AskText(kComputedColumnTitle, kComputedColumnLabel);
    if (formula && !formula->empty()) AddComputedColumn(*formula);
}

void TfMain::LineCheckClick(int n, bool checked) {
    Edit("ﾗｲﾝの選択", [&](GraphDocument& d) {
        GraphSeries& s = d.Series.at(std::size_t(n));
        s.Plotted = checked;
        s.InLegend = checked;
    });
}

void TfMain::EditInLegend(int n, bool checked) {
    Edit("凡例の選択", [&](GraphDocument& d) { d.Series.at(std::size_t(n)).InLegend = checked; });
}

void TfMain::EditLegendText(int n, const std::string& text) {
    Edit(
        "凡例の文字", [&](GraphDocument& d) { d.Series.at(std::size_t(n)).LegendText = text; },
        "LineEdit" + IntToStr(n));
}

void TfMain::EditCell(int col, int row, const std::string& text) {
    if (!DataG().Contains(col, row) || DataG().Cell(col, row) == text) return;
    Edit("ｾﾙの編集", [&](GraphDocument& d) { d.TableForEdit().SetCell(col, row, text); });
}

void TfMain::ApplyReadSettings() {
    if (DataOpen.Delimiter() != Doc.Read.Delimiter) DataOpen.SetDelimiter(Doc.Read.Delimiter);
    DataOpen.DecimalComma = Doc.Read.DecimalComma;
}

bool TfMain::WriteConfigFile(const std::string& name, bool replaceForeign) {
    return ConfigFile::Write(Doc, name, KeptFiles(), replaceForeign);
}

bool TfMain::CheckConfigFile(const std::string& name) const {
    GraphDocument values = Doc;
    values.Series.assign(std::size_t(TDataOpenDialog::kMaxCol), GraphSeries{});
    try {
        return ConfigFile::Read(values, name);
    } catch (const RaisedError&) {
        // A colour that is no colour ends each read where it stands, as
        // it always has; the reads of the run report it.
        return true;
    }
}

bool TfMain::ReadConfigFile(const std::string& name) {
    GraphDocument values = Doc;
    auto apply = [&] { Edit("設定ﾌｧｲﾙの読み込み", [&](GraphDocument& d) { d = values; }); };
    try {
        if (!ConfigFile::Read(values, name)) return false;
    } catch (const RaisedError&) {
        // A bad colour ends the read; what was read before it is applied.
        apply();
        throw;
    }
    apply();
    return true;
}

void TfMain::menuConfigFileWriteClick(Desktop& desktop) {
    SaveFileRequest request;
    request.Filter = kConfigFilter;
    request.FilterIndex = 1;
    request.FileName = "*.kvc";
    if (configSaved_)
        request.InitialDir = std::filesystem::path(lastConfigSaved_).parent_path().string();
    const auto chosen = desktop.SaveFile(request);
    if (!chosen) return;
    std::string name = chosen->File;
    // The default extension.
    if (FileExtension(name).empty()) name += ".kvc";
    const bool foreign = ConfigFile::IsForeignFile(name);
    if (foreign && !desktop.Confirm(FormatText(ConfigFile::kReplaceForeignText, {name}))) return;
    if (!WriteConfigFile(name, foreign)) return;
    lastConfigSaved_ = name;
    configSaved_ = true;
}

void TfMain::menuConfigFileReadClick(Desktop& desktop, int senderTag) {
    if (configRead_ && senderTag == kQuickReadTag) {
        ReadConfigFile(lastConfigRead_);
        return;
    }
    OpenFileRequest request;
    request.Filter = kConfigFilter;
    request.FilterIndex = 1;
    request.FileName = "*.kvc";
    if (configRead_)
        request.InitialDir = std::filesystem::path(lastConfigRead_).parent_path().string();
    const auto chosen = desktop.OpenFile(request);
    if (!chosen || chosen->Files.empty()) return;
    if (OpenConfigFile(chosen->Files.front())) DrawGraph();
}
