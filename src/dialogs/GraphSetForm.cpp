#include "dialogs/GraphSetForm.h"

#include "app/TfMain.h"
#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/RaisedError.h"
#include "plot/PlotNames.h"

GraphSetTexts LoadGraphSet(const TfMain& main) {
    const GraphSettings& g = main.Graph;
    const GridlineSettings& l = main.Gridline;
    GraphSetTexts t;
    t.AxistypeX = NameOf(g.AxistypeX);
    t.AxistypeY = NameOf(g.AxistypeY);
    t.AutosizeX = g.AutosizeX;
    t.AutosizeY = g.AutosizeY;
    t.NiceTicksX = g.NiceTicksX;
    t.NiceTicksY = g.NiceTicksY;
    t.MinX = FloatToText(g.MinX);
    t.MaxX = FloatToText(g.MaxX);
    t.MinY = FloatToText(g.MinY);
    t.MaxY = FloatToText(g.MaxY);
    t.Canvaswidth = IntToStr(g.Canvaswidth);
    t.Canvasheight = IntToStr(g.Canvasheight);
    t.Graphwidth = IntToStr(g.Width);
    t.Graphheight = IntToStr(g.Height);
    t.Graphleft = IntToStr(g.Left);
    t.Graphtop = IntToStr(g.Top);
    t.LargeGridX = IntToStr(l.LargeX);
    t.SmallGridX = IntToStr(l.SmallX);
    t.LargeGridY = IntToStr(l.LargeY);
    t.SmallGridY = IntToStr(l.SmallY);
    t.LargeLength = IntToStr(l.Largelength);
    t.SmallLength = IntToStr(l.Smalllength);
    t.LargeWidth = IntToStr(l.Largewidth);
    t.SmallWidth = IntToStr(l.Smallwidth);
    t.GridlineWidth = IntToStr(l.LInewidth);
    return t;
}

namespace {

void CheckLogMinimum(double& min, double& max, AxisKind type, bool autosize) {
    if (!(min > 0) && IsLogAxis(type) && !autosize) {
        min = 1;
        max = 10;
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

}  // namespace

void ApplyGraphSet(TfMain& main, const GraphSetTexts& t) {
    GraphSettings& g = main.Graph;
    AxisTypeField(g.AxistypeX, t.AxistypeX);
    AxisTypeField(g.AxistypeY, t.AxistypeY);
    g.AutosizeX = t.AutosizeX;
    g.AutosizeY = t.AutosizeY;
    g.NiceTicksX = t.NiceTicksX;
    g.NiceTicksY = t.NiceTicksY;
    g.MaxX = StrToFloat(t.MaxX);
    g.MaxY = StrToFloat(t.MaxY);
    g.MinX = StrToFloat(t.MinX);
    g.MinY = StrToFloat(t.MinY);
    if (!(g.MaxX > g.MinX)) g.MaxX = g.MinX + 10;
    if (!(g.MaxY > g.MinY)) g.MaxY = g.MinY + 10;
    CheckLogMinimum(g.MinX, g.MaxX, g.AxistypeX, g.AutosizeX);
    CheckLogMinimum(g.MinY, g.MaxY, g.AxistypeY, g.AutosizeY);
    g.Canvaswidth = StrToInt(t.Canvaswidth);
    g.Canvasheight = StrToInt(t.Canvasheight);
    g.Width = StrToInt(t.Graphwidth);
    g.Height = StrToInt(t.Graphheight);
    g.Left = StrToInt(t.Graphleft);
    g.Top = StrToInt(t.Graphtop);
    bool ok = SizeWithin(g.Canvaswidth, 20, 1000, 400);
    ok &= SizeWithin(g.Canvasheight, 20, 1000, 400);
    ok &= SizeWithin(g.Width, 20, 1000, 260);
    ok &= SizeWithin(g.Height, 20, 1000, 260);
    ok &= SizeWithin(g.Left, 0, 1000, 0);
    ok &= SizeWithin(g.Top, 0, 1000, 0);
    if (!ok) ShowMessage(kSizeText);
    GridlineSettings& l = main.Gridline;
    // Division counts below 1 and negative lengths and widths draw
    // nothing useful: they are refused by name.
    GridField(l.LargeX, t.LargeGridX, 1, GridlineNames::LargeX);
    GridField(l.SmallX, t.SmallGridX, 1, GridlineNames::SmallX);
    GridField(l.LargeY, t.LargeGridY, 1, GridlineNames::LargeY);
    GridField(l.SmallY, t.SmallGridY, 1, GridlineNames::SmallY);
    GridField(l.Largelength, t.LargeLength, 0, GridlineNames::Largelength);
    GridField(l.Smalllength, t.SmallLength, 0, GridlineNames::Smalllength);
    GridField(l.Largewidth, t.LargeWidth, 0, GridlineNames::Largewidth);
    GridField(l.Smallwidth, t.SmallWidth, 0, GridlineNames::Smallwidth);
    GridField(l.LInewidth, t.GridlineWidth, 0, GridlineNames::LInewidth);
}
