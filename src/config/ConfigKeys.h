#pragma once

// The keys of a configuration file: each kind of value a key holds, and
// the one walk over every key that the writer and the reader share.
#include <limits>
#include <optional>
#include <span>
#include <string>

#include "data/DataOpenOptions.h"
#include "document/GraphDocument.h"
#include "platform/NumberText.h"
#include "plot/PlotNames.h"

namespace ConfigKeys {

// The kinds of value a key holds, beyond numbers, texts and flags.
struct Color {
    TColor& value;
};
// An axis limit: a real number; files that hold integers read as before.
struct Limit {
    double& value;
};
struct Pen {
    PenStyle& value;
};
// At most 31 bytes of a face name, never half a character.
struct FaceName {
    std::string& value;
};
// The style flags of a font as words: "Bold Italic".
struct Style {
    FontSetting& value;
};
struct Charset {
    int& value;
};
// A number with the range the dialogs and the drawing allow.
struct Ranged {
    int& value;
    int min, max;
};
// A length with decimals, from min to max: a canvas in its unit, a line
// width in points.
struct Fine {
    double& value;
    double min, max;
};
// A key a file holds only once its value is set (`set`), so that older
// files and their readers stay as they were; a file that holds it has it
// written again.
template <typename Inner>
struct WhenSet {
    Inner inner;
    bool set;
};
template <typename Inner>
WhenSet(Inner, bool) -> WhenSet<Inner>;
// Where a dragged label stands, "left,top"; none for a label laid out.
struct Place {
    std::optional<LabelPlace>& value;
};
// Thrown by the reader at the first number out of range.
struct OutOfRange {
    std::string text;
};
// A name from a fixed list: an axis type, a curve method, a mark type.
template <typename Kind>
struct Named {
    Kind& value;
    std::span<const KindName<Kind>> names;
};
template <typename Kind>
Named(Kind&, std::span<const KindName<Kind>>) -> Named<Kind>;

// The delimiter by its name.
struct Delimiter {
    DataDelimiter& value;
};
// A series' plot tick: a change ticks its legend too, as a click does.
struct LineCheck {
    GraphSeries& series;
};

template <typename Visit>
void VisitDataKeys(ReadSettings& read, Visit&& visit) {
    visit("Data", "Delimiter", Delimiter{read.Delimiter});
    visit("Data", "DecimalComma", read.DecimalComma);
}

// Visits every key of the file, in the file's order, with its value. The
// writer and the reader both walk this one list, so a key is named once.
// `rightAxis`: the keys of the right Y axis too, which a file holds only
// once the right axis is used, so that older files stay as they were.
template <typename Visit>
void VisitKeys(GraphDocument& v, bool rightAxis, Visit&& visit) {
    constexpr int kIntMax = std::numeric_limits<int>::max();
    constexpr int kMinSize = GraphSettings::kMinSize, kMaxSize = GraphSettings::kMaxSize;
    constexpr int kMaxPosition = GraphSettings::kMaxPosition;
    constexpr int kMaxCount = GridlineSettings::kMaxCount;
    constexpr int kMaxWidth = GridlineSettings::kMaxWidth;
    constexpr int kMaxLength = GridlineSettings::kMaxLength;
    // Series k is named after the controls of its row: LineCheck k,
    // LineImage k, SampleCheck k and LineEdit k.
    for (std::size_t k = 0; k < v.Series.size(); ++k) {
        GraphSeries& s = v.Series[k];
        SeriesStyle& p = s.Style;
        const std::string number = IntToStr(int(k));
        visit("CheckBox", "LineCheck" + number, LineCheck{s});
        const std::string n = "LineImage" + number + "->";
        visit("Plot", n + "LineWidth", Ranged{p.LineWidth, 0, SeriesStyle::kMaxLineWidth});
        visit("Plot", n + "LineWidthPt",
              WhenSet{Fine{p.LineWidthPoints, 0, SeriesStyle::kMaxLineWidthPoints},
                      p.LineWidthPoints > 0});
        visit("Plot", n + "LineColor", Color{p.LineColor});
        visit("Plot", n + "LineType", Pen{p.LineType});
        visit("Plot", n + "Hokan", Named{p.Hokan, CurveMethodNames()});
        visit("Plot", n + "Dimension", p.Dimension);
        visit("Plot", n + "MarkSize", Ranged{p.MarkSize, 0, SeriesStyle::kMaxMarkSize});
        visit("Plot", n + "MarkType", Named{p.MarkType, MarkKindNames()});
        visit("Plot", n + "MarkColor", Color{p.MarkColor});
        visit("Plot", n + "MarkPass", Ranged{p.MarkPass, 0, kIntMax});
        visit("Plot", n + "AxisX", Ranged{p.AxisX, 0, SeriesStyle::kMaxAxisX});
        visit("Plot", n + "AxisY",
              Ranged{p.AxisY, SeriesStyle::kLeftAxis, SeriesStyle::kRightAxis});
        visit("Plot", n + "ErrorY", Ranged{p.ErrorY, 0, SeriesStyle::kMaxAxisX});
        visit("Plot", n + "ErrorYMinus", Ranged{p.ErrorYMinus, 0, SeriesStyle::kMaxAxisX});
        visit("Plot", n + "ErrorX", Ranged{p.ErrorX, 0, SeriesStyle::kMaxAxisX});
        visit("Plot", n + "ErrorXMinus", Ranged{p.ErrorXMinus, 0, SeriesStyle::kMaxAxisX});
        visit("Plot", n + "ErrorCap", Ranged{p.ErrorCap, 0, SeriesStyle::kMaxErrorCap});
        visit("Plot", n + "Formula", p.Formula);
        visit("Plot", n + "Start", p.Start);
        visit("Plot", n + "Weight", p.Weight);
        visit("Plot", n + "LegendFormula", p.LegendFormula);
        visit("CheckBox", "SampleCheck" + number, s.InLegend);
        visit("Edit", "LineEdit" + number, s.LegendText);
    }
    GraphSettings& g = v.Graph;
    AxisSettings& x = v.X();
    AxisSettings& y = v.Y();
    visit("Graph", "AxistypeX", Named{x.Type, AxisKindNames()});
    visit("Graph", "AxistypeY", Named{y.Type, AxisKindNames()});
    visit("Graph", "MaxX", Limit{x.Max});
    visit("Graph", "MaxY", Limit{y.Max});
    visit("Graph", "MinX", Limit{x.Min});
    visit("Graph", "MinY", Limit{y.Min});
    visit("Graph", "AutosizeX", x.Autosize);
    visit("Graph", "AutosizeY", y.Autosize);
    AxisSettings& y2 = v.Y2();
    if (rightAxis) {
        visit("Graph", "AxistypeY2", Named{y2.Type, AxisKindNames()});
        visit("Graph", "MaxY2", Limit{y2.Max});
        visit("Graph", "MinY2", Limit{y2.Min});
        visit("Graph", "AutosizeY2", y2.Autosize);
    }
    visit("Graph", "Width", Ranged{g.Width, kMinSize, kMaxSize});
    visit("Graph", "Height", Ranged{g.Height, kMinSize, kMaxSize});
    visit("Graph", "Left", Ranged{g.Left, -kMaxPosition, kMaxPosition});
    visit("Graph", "Top", Ranged{g.Top, -kMaxPosition, kMaxPosition});
    visit("Graph", "Canvaswidth", Ranged{g.Canvaswidth, kMinSize, kMaxSize});
    visit("Graph", "Canvasheight", Ranged{g.Canvasheight, kMinSize, kMaxSize});
    {
        const bool inUnit = g.CanvasUnit != LengthUnit::Px;
        visit("Graph", "CanvasUnit", WhenSet{Named{g.CanvasUnit, LengthUnitNames()}, inUnit});
        // Read after the unit, so that the limits are in it.
        const double perUnit = PixelsPerUnit(g.CanvasUnit);
        const double low = kMinSize / perUnit, high = kMaxSize / perUnit;
        visit("Graph", "CanvasUnitWidth", WhenSet{Fine{g.CanvasUnitWidth, low, high}, inUnit});
        visit("Graph", "CanvasUnitHeight", WhenSet{Fine{g.CanvasUnitHeight, low, high}, inUnit});
    }
    visit("Graph", "NiceTicksX", x.NiceTicks);
    visit("Graph", "NiceTicksY", y.NiceTicks);
    if (rightAxis) visit("Graph", "NiceTicksY2", y2.NiceTicks);
    visit("Title", "Main", v.Title.Main);
    visit("Title", "X", x.Title);
    visit("Title", "Y", y.Title);
    if (rightAxis) visit("Title", "Y2", y2.Title);
    // Labels the user moved, once there are any.
    visit("Title", "MainPlace", WhenSet{Place{v.TitlePlace}, v.TitlePlace.has_value()});
    visit("Title", "XPlace", WhenSet{Place{v.XlabelPlace}, v.XlabelPlace.has_value()});
    visit("Title", "YPlace", WhenSet{Place{v.YlabelPlace}, v.YlabelPlace.has_value()});
    visit("Title", "Y2Place", WhenSet{Place{v.Y2labelPlace}, v.Y2labelPlace.has_value()});
    SampleSettings& s = v.Sample;
    visit("Sample", "Left", Ranged{s.Left, -kMaxPosition, kMaxPosition});
    visit("Sample", "Top", Ranged{s.Top, -kMaxPosition, kMaxPosition});
    visit("Sample", "Shadowsize", Ranged{s.Shadowsize, 0, SampleSettings::kMaxShadow});
    visit("Sample", "Shadowcolor", Color{s.Shadowcolor});
    visit("Sample", "Frontcolor", Color{s.Frontcolor});
    if (rightAxis) visit("Sample", "AxisNote", s.AxisNote);
    GridlineSettings& l = v.Gridline;
    visit("Gridline", "LargeX", Ranged{x.Large, 1, kMaxCount});
    visit("Gridline", "LargeY", Ranged{y.Large, 1, kMaxCount});
    visit("Gridline", "Largewidth", Ranged{l.Largewidth, 0, kMaxWidth});
    visit("Gridline", "Largelength", Ranged{l.Largelength, 0, kMaxLength});
    visit("Gridline", "SmallX", Ranged{x.Small, 1, kMaxCount});
    visit("Gridline", "SmallY", Ranged{y.Small, 1, kMaxCount});
    if (rightAxis) {
        visit("Gridline", "LargeY2", Ranged{y2.Large, 1, kMaxCount});
        visit("Gridline", "SmallY2", Ranged{y2.Small, 1, kMaxCount});
    }
    visit("Gridline", "Smallwidth", Ranged{l.Smallwidth, 0, kMaxWidth});
    visit("Gridline", "Smalllength", Ranged{l.Smalllength, 0, kMaxLength});
    visit("Gridline", "LInewidth", Ranged{l.LInewidth, 0, kMaxWidth});
    const std::pair<const char*, FontSetting*> fonts[] = {
        {"Graphtitle", &v.Fonts.Graphtitle}, {"TitleX", &x.TitleFont}, {"TitleY", &y.TitleFont},
        {"TitleY2", &y2.TitleFont},          {"Num", &v.Fonts.Num},    {"Sample", &v.Fonts.Sample}};
    for (const auto& [key, font] : fonts) {
        if (font == &y2.TitleFont && !rightAxis) continue;
        const std::string n = std::string(key) + "->";
        visit("Fonts", n + "Size",
              Ranged{font->Size, -FontSetting::kMaxSize, FontSetting::kMaxSize});
        visit("Fonts", n + "Color", Color{font->Color});
        visit("Fonts", n + "Charset", Charset{font->Charset});
        visit("Fonts", n + "Name", FaceName{font->Name});
        visit("Fonts", n + "Style", Style{*font});
    }
    VisitDataKeys(v.Read, visit);
}

}  // namespace ConfigKeys
