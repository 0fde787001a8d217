#pragma once

#include "dialogs/FieldMessages.h"

#include <string>

#include <array>
#include <optional>

#include "plot/DateTicks.h"
#include "plot/PlotNames.h"

#include "document/GraphDocument.h"

// The texts of the graph settings dialog, as it shows them and as the
// user typed them.
struct GraphSetTexts {
    // The axis types as named in the dialog's lists, or typed.
    std::string AxistypeX, AxistypeY;
    bool AutosizeX = true, AutosizeY = true;
    bool NiceTicksX = false, NiceTicksY = false;
    std::string MinX, MaxX, MinY, MaxY;
    // The canvas in its unit ("cm": "8.5"), the graph in pixels.
    std::string CanvasUnit = "px";
    std::string Canvaswidth, Canvasheight, Graphwidth, Graphheight, Graphleft, Graphtop;
    // The size of the axis numbers in points.
    std::string NumberSize;
    std::string LargeGridX, SmallGridX, LargeGridY, SmallGridY;
    std::string LargeLength, SmallLength, LargeWidth, SmallWidth, GridlineWidth;
    // The right Y axis.
    std::string AxistypeY2;
    bool AutosizeY2 = true, NiceTicksY2 = false;
    std::string MinY2, MaxY2, LargeGridY2, SmallGridY2;
    bool AxisNote = false;
};

inline constexpr const char* kUnknownAxisTypeText = "軸の種類 '%s' はありません (%s のどれか)";
inline constexpr const char* kLogMinimumText = "対数グラフでは最小値 > ０です";
// The sizes and places the drawing and configuration files allow: the
// dialog never refuses what the program itself sets (a window widened
// past 1000 pixels).
inline constexpr const char* kSizeText = "グラフ、キャンバスサイズは20～10000のまでです。";
inline constexpr const char* kGridFieldText = kAtLeastText;
inline constexpr const char* kUnknownUnitText = "単位 '%s' はありません (%s のどれか)";
inline constexpr const char* kNumberSizeText = "数値の大きさは 1 から %s ポイントまでです";

// The records as the dialog shows them when it becomes active. The limits
// of a date axis (by AxisIndex: its clock) are shown as times,
// "2024-03-15 06:00:00"; a limit typed as a time is read as one on any
// axis.
GraphSetTexts LoadGraphSet(const GraphDocument& document,
                           const std::array<std::optional<DateClock>, 3>& dateAxes = {});

// A canvas length typed in one unit as the dialog shows it in another
// (550 px is 14.552 cm); a text that is no number stays.
std::string CanvasTextInUnit(const std::string& text, const std::string& from,
                             const std::string& to);

// Applies the texts in the dialog's order, with its checks and messages.
// A text that is no number raises the conversion error there; what was
// applied before it stays.
void ApplyGraphSet(GraphDocument& document, const GraphSetTexts& texts);
