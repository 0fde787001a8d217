#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/DataOpenOptions.h"
#include "graph/SettingsRecords.h"
#include "platform/TStringGrid.h"
#include "plot/SeriesStyle.h"

// The graph as the user made it, as one value: what was read, what is
// plotted and how, the axes, the texts, the legend and the canvas. The
// main window shows it, the drawing is made from it, configuration files
// are read into it and written from it, and every change a user makes is
// an edit of it (which is what undo takes back). No pixels of a drawing
// and no widget state live here.

// How a data file is read: the delimiter and the decimal comma. Files
// without them read as before.
struct ReadSettings {
    DataDelimiter Delimiter = DataDelimiter::Space;
    bool DecimalComma = false;
    bool operator==(const ReadSettings&) const = default;
};

// A data file as it was read: the grid's cells (the column titles in row
// 0, the numbers below, the user's edits among them). The cells are
// shared between the document's copies, as they may be a million rows; an
// edit of a cell makes a copy of its own.
struct DataSource {
    std::string Path;
    // The grid column of the file's first column: 1 for the first file, an
    // added file's columns follow those before it.
    int FirstColumn = 1;
    ReadSettings Read;
    int Columns = 0;
    int Rows = 0;
    std::vector<std::string> Titles;
    std::shared_ptr<const TStringGrid> Table;
    bool operator==(const DataSource& other) const;
};

// One plotted column: its source, its Y column (1-based, the X column is
// in its style), whether it is drawn and listed in the legend, its legend
// text and its style.
struct GraphSeries {
    int Source = 0;
    int YColumn = 1;
    bool Plotted = false;
    bool InLegend = false;
    std::string LegendText;
    SeriesStyle Style;
    bool operator==(const GraphSeries&) const = default;
};

// A label the user dragged: where it stays, through drawings and in
// configuration files, until ﾗﾍﾞﾙの配置 lays the labels out again.
struct LabelPlace {
    int Left = 0;
    int Top = 0;
    bool operator==(const LabelPlace&) const = default;
};

// The Y2 axis is the right one, of the series drawn against it.
enum AxisIndex : int { kAxisX = 0, kAxisY = 1, kAxisY2 = 2 };

struct GraphDocument {
    GraphDocument();

    std::vector<DataSource> Sources;
    // The formulas of the columns computed from the others, in order: the
    // first source's last columns.
    std::vector<std::string> ComputedColumns;
    std::vector<GraphSeries> Series;
    // The style the plot dialog's "ALL" shows and sets besides every series.
    SeriesStyle Template;
    std::array<AxisSettings, 3> Axes;
    // The canvas, and the plot area's size and place on it.
    GraphSettings Graph;
    GridlineSettings Gridline;
    // The legend's place and colours.
    SampleSettings Sample;
    TitleTexts Title;
    // The title's, the numbers' and the legend's fonts; each axis has its
    // label's.
    FontSettings Fonts;
    // How the next data file is read.
    ReadSettings Read;
    std::optional<LabelPlace> TitlePlace, XlabelPlace, YlabelPlace, Y2labelPlace;
    void ForgetLabelPlaces() {
        TitlePlace = XlabelPlace = YlabelPlace = Y2labelPlace = std::nullopt;
    }

    AxisSettings& X() { return Axes[kAxisX]; }
    AxisSettings& Y() { return Axes[kAxisY]; }
    const AxisSettings& X() const { return Axes[kAxisX]; }
    const AxisSettings& Y() const { return Axes[kAxisY]; }
    AxisSettings& Axis(bool xAxis) { return Axes[xAxis ? kAxisX : kAxisY]; }
    const AxisSettings& Axis(bool xAxis) const { return Axes[xAxis ? kAxisX : kAxisY]; }
    AxisSettings& Y2() { return Axes[kAxisY2]; }
    const AxisSettings& Y2() const { return Axes[kAxisY2]; }
    // Whether a plotted series is drawn against the right axis.
    bool UsesRightAxis() const;

    // The table of every source's columns side by side, and the computed
    // ones after them (held by the first source); an empty grid before any
    // read.
    const TStringGrid& Table() const;
    // The table's columns and rows (the longest file's), without the
    // headers.
    int ColumnCount() const { return Sources.empty() ? 0 : Table().ColCount() - 1; }
    int RowCount() const { return Sources.empty() ? 0 : Table().RowCount() - 1; }
    // The columns the files give, before the computed ones.
    int FileColumnCount() const { return ColumnCount() - int(ComputedColumns.size()); }
    // The source a grid column comes from; 0 for a computed column.
    int SourceOfColumn(int column) const;
    // The first source's table for a change: a copy of its own when another
    // document shares it.
    TStringGrid& TableForEdit();

    bool operator==(const GraphDocument&) const = default;
    // Equal, the tables compared by identity: what tells an edit's effect
    // without reading a million cells twice.
    bool SameAs(const GraphDocument& other) const;
};
