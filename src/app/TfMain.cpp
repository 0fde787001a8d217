#include "app/TfMain.h"

#include <QDir>
#include <QTemporaryFile>
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

void TfMain::menuDataOpenClick(Desktop& desktop, bool add) {
    OpenFileRequest request;
    request.Filter = kDataFilter;
    request.MultiSelect = true;
    if (dataRead_) {
        request.InitialDir = std::filesystem::path(lastDataPath_).parent_path().string();
        request.FilterIndex = dataFilterIndex_;
    } else {
        request.FilterIndex = kDataFilesFilter;
    }
    const auto chosen = desktop.OpenFile(request);
    if (!chosen || chosen->Files.empty()) return;
    dataFilterIndex_ = chosen->FilterIndex;
    // Adding, every file chosen is added in turn.
    for (const std::string& file : chosen->Files) {
        if (!OpenDataFile(desktop, file, add)) return;
        if (!add) return;
    }
}

bool TfMain::OpenDataFile(Desktop& desktop, const std::string& path, bool add) {
    DataOpen.FileName = path;
    lastDataPath_ = path;
    const std::string reading = FormatText(kReadingProgressText, {FileNameOf(path)});
    DataOpen.Progress = [&](double done) { return desktop.ShowProgress(reading, done); };
    const bool read = DataOpen.Execute(
        [&](const std::vector<std::string>& preview, const DataOpenChoice& proposed) {
            return desktop.ShowDataOpenForm(preview, proposed);
        });
    DataOpen.Progress = nullptr;
    desktop.EndProgress();
    if (!read) return false;
    dataRead_ = true;
    RecentData.Add(path);
    emit RecentFilesChanged();
    if (add)
        AppendDataGrid();
    else
        FillDataGrid();
    return true;
}

bool TfMain::ReadClipboardText(Desktop& desktop, const std::string& text) {
    if (WithoutSpaces(text).empty()) {
        ShowMessage(kEmptyClipboardText);
        return false;
    }
    // The reader reads files: the text goes through one of its own, which
    // is gone once read.
    QTemporaryFile file(QDir::tempPath() + "/kurvo-clipboard-XXXXXX.txt");
    if (!file.open() || file.write(text.data(), qint64(text.size())) != qint64(text.size()) ||
        !file.flush()) {
        ShowMessage(FormatText(kClipboardFileText, {file.fileName().toStdString()}));
        return false;
    }
    DataOpen.FileName = file.fileName().toStdString();
    const bool read = DataOpen.Execute(
        [&](const std::vector<std::string>& preview, const DataOpenChoice& proposed) {
            return desktop.ShowDataOpenForm(preview, proposed);
        });
    DataOpen.FileName = kClipboardSource;
    if (!read) return false;
    dataRead_ = true;
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
    UndoStack.setClean();
    RecentConfigs.Add(path);
    emit RecentFilesChanged();
    Enable(&CommandEnabling::ConfigReadButton);
    return true;
}

void TfMain::OpenStartFiles(Desktop& desktop, const std::vector<std::string>& files, bool add) {
    std::string config;
    std::vector<std::string> data;
    for (const std::string& file : files) {
        if (IsConfigFileName(file))
            config = file;
        else
            data.push_back(file);
    }
    // The first data file replaces what is read (unless adding), the
    // others are added to it.
    bool read = !data.empty();
    for (std::size_t k = 0; k < data.size() && read; ++k)
        read = OpenDataFile(desktop, data[k], add || k > 0);
    if (config.empty()) return;
    if (!IsReadablePlainFile(config)) {
        ShowMessage(ReadRefusalText(config));
        return;
    }
    if (OpenConfigFile(config) && read) DrawGraph();
}

namespace {

// The line and mark colour of the k-th file's series: the first file's
// black, the added files' each their own.
TColor FileColor(std::size_t k) {
    static constexpr TColor kColors[] = {clBlack, clRed,     clBlue, clGreen,
                                         clNavy,  clFuchsia, clTeal, clMaroon};
    return kColors[k % std::size(kColors)];
}

}  // namespace

DataSource TfMain::ReadSource(int firstColumn) const {
    DataSource source;
    source.Path = DataOpen.FileName;
    source.FirstColumn = firstColumn;
    source.Read = {DataOpen.Delimiter().value_or(DataDelimiter::Space), DataOpen.DecimalComma};
    source.Columns = DataOpen.Col();
    source.Rows = DataOpen.Row();
    for (int i = 0; i < source.Columns; ++i)
        source.Titles.push_back(DataOpen.ReadTitle ? DataOpen.Title(i) : "");
    return source;
}

void TfMain::MoveReadIntoTable(const DataSource& source, TStringGrid& grid, bool added) {
    // The grid holds the numbers (a missing value is an empty cell) and
    // shows the row numbers; only the column titles are texts. The first
    // file's table becomes the grid's own; an added file's is copied in.
    const int cols = source.Columns, rows = source.Rows, first = source.FirstColumn;
    if (!added)
        grid = TStringGrid::OfColumns(cols, rows, DataOpen.TakeTable());
    else
        grid.SetColumns(first, cols, rows, DataOpen.TakeTable());
    for (int i = 0; i < cols; ++i)
        if (const TimeForm* form = DataOpen.TimeFormOf(i)) grid.SetTimeForm(first + i, *form);
    grid.NumberedRows = true;
    // An added file's columns say which file they are from.
    for (int i = 0; i < cols; ++i) {
        std::string header = IntToStr(first + i);
        if (added) header += Concat(" ", FileNameOf(source.Path), ":", IntToStr(i + 1));
        if (DataOpen.ReadTitle) header += Concat(" ", source.Titles[std::size_t(i)]);
        grid.SetCell(first + i, 0, header);
    }
}

std::vector<GraphSeries> TfMain::SeriesOfSource(const DataSource& source, int index) const {
    // One series per column, with fresh styles. A file of one column is
    // drawn against the row number; otherwise its first column is every
    // series' X.
    std::vector<GraphSeries> series;
    const bool oneColumn = source.Columns == 1;
    bool hasNumberColumn = false;
    for (int n = 1; n < source.Columns; ++n) hasNumberColumn |= !DataOpen.TimeFormOf(n);
    for (int n = 0; n < source.Columns; ++n) {
        GraphSeries s;
        s.Source = index;
        s.YColumn = source.FirstColumn + n;
        s.Plotted = s.InLegend = n != 0 || oneColumn;
        // A column of times beside numbers is no quantity to draw (the
        // time of day beside a date, a second timestamp): it is there to
        // be chosen as X.
        if (!oneColumn && DataOpen.TimeFormOf(n) && hasNumberColumn) s.Plotted = s.InLegend = false;
        // The title, else DATA n for the first file and the file's name with
        // the column's number for an added one.
        if (DataOpen.ReadTitle && (index == 0 || !source.Titles[std::size_t(n)].empty()))
            s.LegendText = source.Titles[std::size_t(n)];
        else if (index == 0)
            s.LegendText = Concat("DATA", IntToStr(n + 1));
        else
            s.LegendText = Concat(FileNameOf(source.Path), " ", IntToStr(n + 1));
        s.Style.MarkType = DefaultMark(s.YColumn - 1);
        s.Style.AxisX = oneColumn ? kRowNumberAxisX : source.FirstColumn;
        s.Style.LineColor = s.Style.MarkColor = FileColor(std::size_t(index));
        series.push_back(std::move(s));
    }
    return series;
}

void TfMain::FillDataGrid() {
    DataSource source = ReadSource(1);
    auto grid = std::make_shared<TStringGrid>(0, 0);
    MoveReadIntoTable(source, *grid, false);
    std::vector<GraphSeries> series = SeriesOfSource(source, 0);
    source.Table = std::move(grid);
    // Reading data is no change of the settings a configuration file keeps.
    const bool saved = UndoStack.isClean();
    Edit("ﾃﾞｰﾀﾌｧｲﾙを開く", [&](GraphDocument& d) {
        d.Sources = {std::move(source)};
        d.ComputedColumns.clear();
        d.Series = std::move(series);
        d.Read = d.Sources.front().Read;
    });
    if (saved) UndoStack.setClean();
    AfterRead();
}

void TfMain::AppendDataGrid() {
    if (Doc.Sources.empty()) {
        FillDataGrid();
        return;
    }
    const bool saved = UndoStack.isClean();
    Edit("ﾃﾞｰﾀﾌｧｲﾙを追加", [&](GraphDocument& d) {
        // The file's columns go after the files' before it; the computed
        // columns stay last, computed again, their series as they were.
        const std::vector<std::string> formulas = d.ComputedColumns;
        const std::size_t files = std::min(d.Series.size(), std::size_t(d.FileColumnCount()));
        const std::vector<GraphSeries> computed(d.Series.begin() + std::ptrdiff_t(files),
                                                d.Series.end());
        RemoveComputedColumns(d);
        DataSource source = ReadSource(d.ColumnCount() + 1);
        TStringGrid& grid = d.TableForEdit();
        grid.SetSize(source.FirstColumn + source.Columns,
                     std::max(grid.RowCount(), source.Rows + 1));
        MoveReadIntoTable(source, grid, true);
        const std::vector<GraphSeries> series = SeriesOfSource(source, int(d.Sources.size()));
        d.Series.insert(d.Series.end(), series.begin(), series.end());
        d.Sources.push_back(std::move(source));
        AddComputedColumns(d, formulas);
        for (std::size_t k = 0; k < computed.size() && k < d.ComputedColumns.size(); ++k) {
            GraphSeries& s = d.Series[std::size_t(d.FileColumnCount()) + k];
            const int column = s.YColumn;
            s = computed[k];
            s.YColumn = column;
        }
    });
    if (saved) UndoStack.setClean();
    AfterRead();
}

void TfMain::AfterRead() {
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
    bool added = false;
    Edit("計算列を追加", [&](GraphDocument& d) { added = ::AddComputedColumn(d, formula); });
    return added;
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
    UndoStack.setClean();
    RecentConfigs.Add(name);
    emit RecentFilesChanged();
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
