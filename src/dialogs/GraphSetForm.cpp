#include "dialogs/GraphSetForm.h"

#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/RaisedError.h"
#include "platform/TimeText.h"
#include "plot/PlotNames.h"

#include <algorithm>
#include <cmath>

namespace {

std::string LimitText(double value, const std::optional<DateClock>& clock) {
    if (!clock || !IsCalendarTime(value)) return FloatToText(value);
    TimeForm form;
    form.TimeOfDay = *clock == DateClock::TimeOfDay;
    form.TimeParts = 3;
    form.TimeSeparator = ' ';
    form.ZoneKind = *clock == DateClock::Utc ? TimeForm::Zone::Utc : TimeForm::Zone::Local;
    // Fractions of a second only where the limit has them.
    if (value != std::floor(value)) form.FractionDigits = 3;
    return TimeText(value, form);
}

// A canvas length: whole pixels, or the length in its unit to a thousandth.
std::string CanvasText(int pixels, LengthUnit unit, double inUnit) {
    if (unit == LengthUnit::Px) return IntToStr(pixels);
    return FloatToText(std::round(inUnit * 1000) / 1000);
}

double LimitValue(const std::string& text) {
    const TimeField time = ReadTimeField(text);
    return time.Kind == TimeField::Valid ? time.Seconds : StrToFloat(text);
}

}  // namespace

GraphSetTexts LoadGraphSet(const GraphDocument& d,
                           const std::array<std::optional<DateClock>, 3>& dateAxes) {
    const GraphSettings& g = d.Graph;
    const GridlineSettings& l = d.Gridline;
    const AxisSettings &x = d.X(), &y = d.Y();
    GraphSetTexts t;
    t.AxistypeX = NameOf(x.Type);
    t.AxistypeY = NameOf(y.Type);
    t.AutosizeX = x.Autosize;
    t.AutosizeY = y.Autosize;
    t.NiceTicksX = x.NiceTicks;
    t.NiceTicksY = y.NiceTicks;
    t.MinX = LimitText(x.Min, dateAxes[kAxisX]);
    t.MaxX = LimitText(x.Max, dateAxes[kAxisX]);
    t.MinY = LimitText(y.Min, dateAxes[kAxisY]);
    t.MaxY = LimitText(y.Max, dateAxes[kAxisY]);
    t.CanvasUnit = NameOf(g.CanvasUnit);
    t.Canvaswidth = CanvasText(g.Canvaswidth, g.CanvasUnit, g.CanvasWidthInUnit());
    t.Canvasheight = CanvasText(g.Canvasheight, g.CanvasUnit, g.CanvasHeightInUnit());
    t.NumberSize = IntToStr(d.Fonts.Num.Size);
    t.Graphwidth = IntToStr(g.Width);
    t.Graphheight = IntToStr(g.Height);
    t.Graphleft = IntToStr(g.Left);
    t.Graphtop = IntToStr(g.Top);
    t.LargeGridX = IntToStr(x.Large);
    t.SmallGridX = IntToStr(x.Small);
    t.LargeGridY = IntToStr(y.Large);
    t.SmallGridY = IntToStr(y.Small);
    t.LargeLength = IntToStr(l.Largelength);
    t.SmallLength = IntToStr(l.Smalllength);
    t.LargeWidth = IntToStr(l.Largewidth);
    t.SmallWidth = IntToStr(l.Smallwidth);
    t.GridlineWidth = IntToStr(l.LInewidth);
    const AxisSettings& y2 = d.Y2();
    t.AxistypeY2 = NameOf(y2.Type);
    t.AutosizeY2 = y2.Autosize;
    t.NiceTicksY2 = y2.NiceTicks;
    t.MinY2 = LimitText(y2.Min, dateAxes[kAxisY2]);
    t.MaxY2 = LimitText(y2.Max, dateAxes[kAxisY2]);
    t.LargeGridY2 = IntToStr(y2.Large);
    t.SmallGridY2 = IntToStr(y2.Small);
    t.AxisNote = d.Sample.AxisNote;
    return t;
}

std::string CanvasTextInUnit(const std::string& text, const std::string& from,
                             const std::string& to) {
    const auto source = KindOfName(LengthUnitNames(), from);
    const auto target = KindOfName(LengthUnitNames(), to);
    double value = 0;
    if (!source || !target || !TryStrToFloat(text, value)) return text;
    const double pixels = value * PixelsPerUnit(*source);
    return CanvasText(int(std::lround(std::clamp(pixels, -1e9, 1e9))), *target,
                      pixels / PixelsPerUnit(*target));
}

namespace {

void CheckLogMinimum(AxisSettings& axis) {
    if (!(axis.Min > 0) && IsLogAxis(axis.Type) && !axis.Autosize) {
        axis.Min = 1;
        axis.Max = 10;
        ShowMessage(kLogMinimumText);
    }
}

// The axis type a name of the table stands for; another name keeps the
// type the axis has, with a message naming it.
void AxisTypeField(AxisKind& type, const std::string& name) {
    if (const auto kind = KindOfName(AxisKindNames(), name)) {
        type = *kind;
        return;
    }
    ShowMessage(FormatText(kUnknownAxisTypeText, {name, NameList(AxisKindNames())}));
}

// Holds v within [low, high]; false when it had to be replaced.
bool SizeWithin(int& v, int low, int high, int replacement) {
    if (v >= low && v <= high) return true;
    v = replacement;
    return false;
}

// A grid field the drawing can use, or a message naming it and the old
// value kept.
void GridField(int& field, const std::string& text, int minimum, const char* name) {
    const int value = StrToInt(text);
    if (value < minimum) {
        ShowMessage(FormatText(kGridFieldText, {name, IntToStr(minimum)}));
        return;
    }
    field = value;
}

// The canvas in the unit chosen; whole pixels as ever, a unit of length
// with decimals.
void CanvasField(GraphSettings& g, const GraphSetTexts& t) {
    const auto unit = KindOfName(LengthUnitNames(), t.CanvasUnit);
    if (!unit)
        ShowMessage(FormatText(kUnknownUnitText, {t.CanvasUnit, NameList(LengthUnitNames())}));
    if (unit.value_or(g.CanvasUnit) == LengthUnit::Px) {
        g.CanvasUnit = LengthUnit::Px;
        g.Canvaswidth = StrToInt(t.Canvaswidth);
        g.Canvasheight = StrToInt(t.Canvasheight);
        return;
    }
    const double width = StrToFloat(t.Canvaswidth);
    g.SetCanvas(unit.value_or(g.CanvasUnit), width, StrToFloat(t.Canvasheight));
}

void NumberSizeField(FontSetting& font, const std::string& text) {
    const int size = StrToInt(text);
    if (size < 1 || size > FontSetting::kMaxSize) {
        ShowMessage(FormatText(kNumberSizeText, {IntToStr(FontSetting::kMaxSize)}));
        return;
    }
    font.Size = size;
}

}  // namespace

void ApplyGraphSet(GraphDocument& d, const GraphSetTexts& t) {
    GraphSettings& g = d.Graph;
    AxisSettings &x = d.X(), &y = d.Y(), &y2 = d.Y2();
    AxisTypeField(x.Type, t.AxistypeX);
    AxisTypeField(y.Type, t.AxistypeY);
    AxisTypeField(y2.Type, t.AxistypeY2);
    x.Autosize = t.AutosizeX;
    y.Autosize = t.AutosizeY;
    y2.Autosize = t.AutosizeY2;
    x.NiceTicks = t.NiceTicksX;
    y.NiceTicks = t.NiceTicksY;
    y2.NiceTicks = t.NiceTicksY2;
    d.Sample.AxisNote = t.AxisNote;
    x.Max = LimitValue(t.MaxX);
    y.Max = LimitValue(t.MaxY);
    y2.Max = LimitValue(t.MaxY2);
    x.Min = LimitValue(t.MinX);
    y.Min = LimitValue(t.MinY);
    y2.Min = LimitValue(t.MinY2);
    for (AxisSettings* axis : {&x, &y, &y2}) {
        if (!(axis->Max > axis->Min)) axis->Max = axis->Min + 10;
    }
    for (AxisSettings* axis : {&x, &y, &y2}) CheckLogMinimum(*axis);
    CanvasField(g, t);
    g.Width = StrToInt(t.Graphwidth);
    g.Height = StrToInt(t.Graphheight);
    g.Left = StrToInt(t.Graphleft);
    g.Top = StrToInt(t.Graphtop);
    constexpr int kMin = GraphSettings::kMinSize, kMax = GraphSettings::kMaxSize;
    constexpr int kMaxPlace = GraphSettings::kMaxPosition;
    bool ok = SizeWithin(g.Canvaswidth, kMin, kMax, 400);
    ok &= SizeWithin(g.Canvasheight, kMin, kMax, 400);
    ok &= SizeWithin(g.Width, kMin, kMax, 260);
    ok &= SizeWithin(g.Height, kMin, kMax, 260);
    ok &= SizeWithin(g.Left, 0, kMaxPlace, 0);
    ok &= SizeWithin(g.Top, 0, kMaxPlace, 0);
    if (!ok) ShowMessage(kSizeText);
    // A canvas replaced in pixels is measured in its unit again.
    g.SetCanvas(g.CanvasUnit, g.CanvasWidthInUnit(), g.CanvasHeightInUnit());
    NumberSizeField(d.Fonts.Num, t.NumberSize);
    GridlineSettings& l = d.Gridline;
    // Division counts below 1 and negative lengths and widths draw
    // nothing useful: they are refused by name.
    GridField(x.Large, t.LargeGridX, 1, GridlineNames::LargeX);
    GridField(x.Small, t.SmallGridX, 1, GridlineNames::SmallX);
    GridField(y.Large, t.LargeGridY, 1, GridlineNames::LargeY);
    GridField(y.Small, t.SmallGridY, 1, GridlineNames::SmallY);
    GridField(y2.Large, t.LargeGridY2, 1, GridlineNames::LargeY2);
    GridField(y2.Small, t.SmallGridY2, 1, GridlineNames::SmallY2);
    GridField(l.Largelength, t.LargeLength, 0, GridlineNames::Largelength);
    GridField(l.Smalllength, t.SmallLength, 0, GridlineNames::Smalllength);
    GridField(l.Largewidth, t.LargeWidth, 0, GridlineNames::Largewidth);
    GridField(l.Smallwidth, t.SmallWidth, 0, GridlineNames::Smallwidth);
    GridField(l.LInewidth, t.GridlineWidth, 0, GridlineNames::LInewidth);
}
