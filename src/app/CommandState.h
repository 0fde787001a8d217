#pragma once

// What the main window's commands and the graph window's popup offer, and
// what a click in the graph window selected.

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

// What a click in the graph window selected.
enum class GraphObject { None, Image, SampleBase, Graphtitle, Xlabel, Ylabel, Y2label, Number };

// The popup items the selection offers.
struct PopupItems {
    bool PopCopy = false, PopFont = false, PopSet = false, PopPlot = false, PopGraph = false,
         PopSample = false;
    // A moved title or axis label: back to its place in the layout.
    bool PopPlace = false;
    bool operator==(const PopupItems&) const = default;
};
