#pragma once

#include <string>
#include <vector>

#include "graph/SettingsRecords.h"
#include "platform/Colors.h"
#include "platform/Picture.h"
#include "platform/PlainFile.h"

// The configuration file (.kvc): the settings records of the main window
// and the settings of every series row, in an INI file.
namespace ConfigFile {

inline constexpr const char* kUnencodableText = "'%s' は設定ﾌｧｲﾙに保存できない文字を含んでいます";

// One series row as the file keeps it, with the names of its controls,
// which name its keys.
struct SeriesValues {
    std::string LineCheckName, SampleCheckName, PlotName, EditName;
    bool LineChecked = false;
    bool SampleChecked = false;
    std::string LegendText;
    int LineWidth = 1;
    TColor LineColor = clBlack;
    PenStyle LineType = PenStyle::psSolid;
    std::string Hokan;
    int Dimension = 5;
    int MarkSize = 8;
    std::string MarkType;
    TColor MarkColor = clBlack;
    int MarkPass = 0;
    int AxisX = 1;
    bool operator==(const SeriesValues&) const = default;
};

// Everything a configuration file holds.
struct Values {
    std::vector<SeriesValues> Series;
    GraphSettings Graph;
    TitleTexts Title;
    SampleSettings Sample;
    GridlineSettings Gridline;
    FontSettings Fonts;
    bool operator==(const Values&) const = default;
};

// Writes every key in place into the file, saved at once. False, with a
// message, when a text cannot be held in the file; the file is unchanged.
bool Write(const Values& values, const std::string& fileName);

// Reads every key into `values`, whose contents are the defaults. False,
// with a message and no change, when the file does not exist. A colour that
// is neither a name nor a number raises the conversion error; the keys
// before it are read into `values`, the rest are not.
bool Read(Values& values, const std::string& fileName);

}  // namespace ConfigFile
