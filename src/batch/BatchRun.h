#pragma once

#include <chrono>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "data/DataOpenOptions.h"
#include "graph/SettingsRecords.h"
#include "platform/FilePaths.h"
#include "platform/PngWriter.h"

class TfMain;

// What one batch run does: the read options, the title rule, the output
// format and the data files in order.
struct BatchOptions {
    // The skip count is a number of lines, not a line number.
    DataOpenOptions Read{.DivMark = DataOpenOptions::kSpaceDivMark};
    bool KeepTitle = false;
    // Round tick steps on both axes, over what the configuration says.
    bool NiceTicks = false;
    // The grid columns whose series are drawn against the right Y axis,
    // over what the configuration says.
    std::vector<int> RightAxisColumns;
    // The canvas, over what the configuration says.
    std::optional<CanvasSize> Size;
    std::string Format = "emf";
    // For PNG only.
    PngOptions Png;
    // A file that takes longer gets a progress line at each step.
    std::chrono::milliseconds SlowAfter{1000};
    // Read after each data file, as the batch form does; empty for none.
    std::string Config;
    std::vector<std::string> Files;
    // All the files in one graph, saved beside the first or as Output.
    bool Overlay = false;
    std::string Output;
    // Hears the fit report's rows of each drawn file; none without.
    std::function<void(const std::string& rows)> FitReportRows;
    // Gives the index of the next file (in Files; 0 overlaid) to draw, -1
    // when none is left; empty for each file in turn. FileDone hears each
    // file's index and result once all its messages are out.
    std::function<int()> NextFile;
    std::function<void(int index, int graphs, int skipped)> FileDone;
};

// Said of the file being processed, after its name.
inline constexpr const char* kWorkingText = " を処理中";

// The formats a batch writes, their names as extensions.
inline constexpr const char* kBatchFormats[] = {"emf", "wmf", "bmp", "svg", "pdf", "png"};

// The data file's path without its extension plus the format's.
std::string BatchOutputPath(const std::string& dataPath, const std::string& format);
// The graph title made from a file name: the name as it is, its markup
// characters escaped.
std::string GraphTitleOf(const std::string& path);

struct BatchResult {
    int Graphs = 0;
    int Skipped = 0;
};

// What a run tells of a file it could not draw without a message of its
// own.
std::string NotDrawnText(const std::string& path);

// Reads, draws and saves each file in turn on the main window's state.
// Messages go to the current message sink, progress lines to `progress`;
// `startingFile` hears of each file before its messages. A file skipped
// without any message of its own gets one, so no file is skipped silently.
// `messagesAbout` hears which file the messages that follow are about: each
// data file, and the configuration file while it is read.
BatchResult RunBatch(TfMain& main, const BatchOptions& options, std::ostream& progress,
                     const std::function<void(const std::string&)>& startingFile = {},
                     const std::function<void(const std::string&)>& messagesAbout = {});
