#include "app/TfMain.h"

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
    AllImage.Name = "AllImage";
    AllImage.Left = 160;
    AllImage.Top = 5;
    AllImage.Width = 80;
    AllImage.Height = 20;
    AllImage.Visible = false;
    AllImage.MarkSize = 8;
    AllImage.MarkType = MarkKind::Maru2;
    AllImage.Hokan = CurveMethod::None;
    AllImage.Dimension = 5;
    AllImage.AxisX = 1;
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
    if (OpenConfigFile(config) && read) DrawGraph("menuConfigFileRead");
}

void TfMain::FillDataGrid() {
    const int cols = DataOpen.Col();
    const int rows = DataOpen.Row();
    DataG.SetSize(cols + 1, rows + 1);
    columnCount_ = cols;
    rowCount_ = rows;

    // The grid holds the numbers (a missing value is an empty cell) and
    // shows the row numbers; only the column titles are texts.
    // The reader's table moves into the grid: a million rows are not kept
    // twice.
    const std::vector<double> table = DataOpen.TakeTable();
    if (table.size() >= std::size_t(cols) * std::size_t(rows))
        for (int i = 0; i < cols; ++i) {
            const double* column = table.data() + std::size_t(i) * std::size_t(rows);
            for (int j = 0; j < rows; ++j) DataG.SetNumber(i + 1, j + 1, column[j]);
        }
    DataG.NumberedRows = true;
    for (int i = 1; i <= cols; ++i)
        DataG.SetCell(i, 0,
                      DataOpen.ReadTitle ? IntToStr(i) + " " + DataOpen.Title(i - 1) : IntToStr(i));
    emit GridChanged();

    BuildSeriesList();
    AllImage.DrawSample();

    Enable(&CommandEnabling::PlotButton);
    Enable(&CommandEnabling::menuGraphPlot);
    Enable(&CommandEnabling::menuGraphConfig);
    Enable(&CommandEnabling::menuPlotConfig);

    // Told once the grid shows the file, so that the user can look.
    const std::string notice = DataOpen.NotNumberNotice();
    if (!notice.empty()) ShowNotice(notice);
}

MarkKind TfMain::DefaultMark(int n) {
    using enum MarkKind;
    static constexpr MarkKind kMarks[7] = {Maru2, Shikaku2, Sankaku2, Batsu,
                                           Maru,  Shikaku,  Sankaku};
    const int k = n % 7;
    return k >= 0 ? kMarks[k] : Maru2;
}

namespace {

// The names of the controls of series row n, which name its keys in
// configuration files.
ConfigFile::SeriesValues SeriesNames(int n) {
    const std::string k = IntToStr(n);
    return {.LineCheckName = "LineCheck" + k,
            .SampleCheckName = "SampleCheck" + k,
            .PlotName = "LineImage" + k,
            .EditName = "LineEdit" + k,
            .LegendText = {}};
}

}  // namespace

void TfMain::BuildSeriesList() {
    rows_.clear();
    const int top = kLineColLabelTop + kLineColLabelHeight + 5;
    for (int n = 0; n < columnCount_; ++n) {
        const int y = top + kSeriesRowPitch * n;
        const ConfigFile::SeriesValues names = SeriesNames(n);
        SeriesRow row;
        // A file of one column is drawn against the row number; otherwise
        // the first column is every series' X.
        const bool oneColumn = columnCount_ == 1;
        row.LineCheck = TCheckBox{.Name = names.LineCheckName,
                                  .Caption = IntToStr(n + 1),
                                  .Checked = n != 0 || oneColumn,
                                  .Tag = n,
                                  .Left = 5,
                                  .Top = y,
                                  .Width = 30};
        row.LineImage = std::make_unique<TPlot>();
        TPlot& plot = *row.LineImage;
        plot.Name = names.PlotName;
        plot.Left = 35;
        plot.Top = y;
        plot.Width = AllImage.Width;
        plot.Height = AllImage.Height;
        plot.Tag = n + 1;
        plot.MarkType = DefaultMark(n);
        if (oneColumn) plot.AxisX = kRowNumberAxisX;
        plot.DrawSample();
        row.SampleCheck = TCheckBox{.Name = names.SampleCheckName,
                                    .Caption = "",
                                    .Checked = n != 0 || oneColumn,
                                    .Tag = n,
                                    .Left = plot.Left + plot.Width + 5,
                                    .Top = y,
                                    .Width = 25};
        row.LineEdit =
            TEdit{.Name = names.EditName,
                  .Text = DataOpen.ReadTitle ? DataOpen.Title(n) : "DATA" + IntToStr(n + 1),
                  .Left = row.SampleCheck.Left + row.SampleCheck.Width,
                  .Top = y,
                  .Width = 80,
                  .Height = 20};
        rows_.push_back(std::move(row));
    }
    emit SeriesRowsChanged();
}

void TfMain::LineCheckClick(int n) {
    SampleCheck(n).Checked = LineCheck(n).Checked;
    emit SeriesRowChanged(n);
}

ConfigFile::Values TfMain::ConfigValues() const {
    ConfigFile::Values v{{}, Graph, Title, Sample, Gridline, Fonts, {}};
    v.Read.Delimiter = DataOpen.Delimiter().value_or(DataDelimiter::Space);
    v.Read.DecimalComma = DataOpen.DecimalComma;
    for (const SeriesRow& row : rows_) {
        const TPlot& p = *row.LineImage;
        v.Series.push_back({.LineCheckName = row.LineCheck.Name,
                            .SampleCheckName = row.SampleCheck.Name,
                            .PlotName = p.Name,
                            .EditName = row.LineEdit.Name,
                            .LineChecked = row.LineCheck.Checked,
                            .SampleChecked = row.SampleCheck.Checked,
                            .LegendText = row.LineEdit.Text,
                            .LineWidth = p.LineWidth,
                            .LineColor = p.LineColor,
                            .LineType = p.LineType,
                            .Hokan = p.Hokan,
                            .Dimension = p.Dimension,
                            .MarkSize = p.MarkSize,
                            .MarkType = p.MarkType,
                            .MarkColor = p.MarkColor,
                            .MarkPass = p.MarkPass,
                            .AxisX = p.AxisX});
    }
    return v;
}

void TfMain::ApplyConfigValues(const ConfigFile::Values& v) {
    Graph = v.Graph;
    Title = v.Title;
    Sample = v.Sample;
    Gridline = v.Gridline;
    Fonts = v.Fonts;
    // The next data file is read as the file says, in the batch too.
    if (DataOpen.Delimiter() != v.Read.Delimiter) DataOpen.SetDelimiter(v.Read.Delimiter);
    DataOpen.DecimalComma = v.Read.DecimalComma;
    for (std::size_t k = 0; k < rows_.size() && k < v.Series.size(); ++k) {
        const ConfigFile::SeriesValues& s = v.Series[k];
        SeriesRow& row = rows_[k];
        row.LineCheck.Checked = s.LineChecked;
        row.SampleCheck.Checked = s.SampleChecked;
        row.LineEdit.Text = s.LegendText;
        TPlot& p = *row.LineImage;
        p.LineWidth = s.LineWidth;
        p.LineColor = s.LineColor;
        p.LineType = s.LineType;
        p.Hokan = s.Hokan;
        p.Dimension = s.Dimension;
        p.MarkSize = s.MarkSize;
        p.MarkType = s.MarkType;
        p.MarkColor = s.MarkColor;
        p.MarkPass = s.MarkPass;
        p.AxisX = s.AxisX;
        p.DrawSample();
        emit SeriesRowChanged(int(k));
    }
}

bool TfMain::WriteConfigFile(const std::string& name, bool replaceForeign) {
    return ConfigFile::Write(ConfigValues(), name, KeptFiles(), replaceForeign);
}

bool TfMain::CheckConfigFile(const std::string& name) const {
    ConfigFile::Values values = ConfigValues();
    values.Series.clear();
    for (int n = 0; n < TDataOpenDialog::kMaxCol; ++n) values.Series.push_back(SeriesNames(n));
    try {
        return ConfigFile::Read(values, name);
    } catch (const RaisedError&) {
        // A colour that is no colour ends each read where it stands, as
        // it always has; the reads of the run report it.
        return true;
    }
}

bool TfMain::ReadConfigFile(const std::string& name) {
    ConfigFile::Values values = ConfigValues();
    try {
        if (!ConfigFile::Read(values, name)) return false;
    } catch (const RaisedError&) {
        // A bad colour ends the read; what was read before it is applied.
        ApplyConfigValues(values);
        throw;
    }
    ApplyConfigValues(values);
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
    if (OpenConfigFile(chosen->Files.front())) DrawGraph("menuConfigFileRead");
}
