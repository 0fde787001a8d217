#include "app/TfMain.h"

#include <filesystem>

#include "platform/MessageSink.h"
#include "platform/NumberText.h"

TfMain::TfMain() = default;

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

    DataOpen.FileName = chosen->Files.front();
    dataFilterIndex_ = chosen->FilterIndex;
    lastDataPath_ = chosen->Files.front();

    const bool read = DataOpen.Execute(
        [&](const std::vector<std::string>& preview) { return desktop.ShowDataOpenForm(preview); });
    if (!read) return;
    dataRead_ = true;
    FillDataGrid();
}

void TfMain::FillDataGrid() {
    const int cols = DataOpen.Col();
    const int rows = DataOpen.Row();
    DataG.SetSize(cols + 1, rows + 1);
    if (cols >= TDataOpenDialog::kMaxCol || rows >= TDataOpenDialog::kMaxRow)
        ShowMessage(kTooMuchDataText);
    columnCount_ = cols;
    rowCount_ = rows;

    for (int i = 0; i < cols; ++i) {
        const double* column = DataOpen.Column(i);
        for (int j = 0; j < rows; ++j) DataG.CellRef(i + 1, j + 1) = FloatToText(column[j]);
    }
    for (int i = 1; i <= cols; ++i) DataG.CellRef(i, 0) = IntToStr(i);
    for (int j = 1; j <= rows; ++j) DataG.CellRef(0, j) = IntToStr(j);
    if (DataOpen.ReadTitle)
        for (int i = 1; i <= cols; ++i) DataG.CellRef(i, 0) = IntToStr(i) + " " + DataOpen.Title(i - 1);
    emit GridChanged();

    Enable(&CommandEnabling::PlotButton);
    Enable(&CommandEnabling::menuGraphPlot);
    Enable(&CommandEnabling::menuGraphConfig);
    Enable(&CommandEnabling::menuPlotConfig);
}
