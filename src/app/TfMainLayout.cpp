// The texts of the graph (axis numbers, title, axis labels, legend) and
// the ticks they stand at, kept inside the canvas.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/TfMain.h"
#include "graph/AxisNumbers.h"
#include "graph/Legend.h"
#include "platform/PictureReplay.h"
#include "plot/NiceTicks.h"
#include "plot/PlotNames.h"

namespace {

// How far the texts reach past each edge of a canvas, and how much room
// they leave before it.
struct Reach {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool started = false;
    void Add(const TMathLabel& label) {
        if (!label.Visible || label.Caption().empty()) return;
        const int r = label.Left + label.Width, b = label.Top + label.Height;
        if (!started) {
            left = label.Left, top = label.Top, right = r, bottom = b;
            started = true;
            return;
        }
        left = std::min(left, label.Left);
        top = std::min(top, label.Top);
        right = std::max(right, r);
        bottom = std::max(bottom, b);
    }
};

// The shift of the plot area along one axis and how much it shrinks, so
// that texts reaching from `low` to `high` lie within 0 to `size`: moved by
// the least that brings them in, shrunk where the room on the other side
// is not enough.
void Fit(int low, int high, int size, int& position, int& extent) {
    const int before = -low, after = high - size;
    if (before > 0) {
        const int room = std::max(0, size - high);
        position += before;
        extent -= before - std::min(before, room);
    } else if (after > 0) {
        const int room = std::max(0, low);
        const int move = std::min(after, room);
        position -= move;
        extent -= after - move;
    }
}

}  // namespace

bool TfMain::FitTextsInCanvas() {
    Reach reach;
    for (const auto* numbers : {&XNumbers, &YNumbers, &Y2Numbers})
        for (const auto& label : *numbers) reach.Add(*label);
    reach.Add(Canv.Graphtitle);
    reach.Add(Canv.Xlabel);
    reach.Add(Canv.Ylabel);
    reach.Add(Canv.Y2label);
    bool moved = false;
    if (reach.started) {
        const GraphSettings before = Doc.Graph;
        Fit(reach.left, reach.right, Doc.Graph.Canvaswidth, Doc.Graph.Left, Doc.Graph.Width);
        Fit(reach.top, reach.bottom, Doc.Graph.Canvasheight, Doc.Graph.Top, Doc.Graph.Height);
        Doc.Graph.Width = std::max(Doc.Graph.Width, GraphSettings::kMinSize);
        Doc.Graph.Height = std::max(Doc.Graph.Height, GraphSettings::kMinSize);
        moved = Doc.Graph.Left != before.Left || Doc.Graph.Top != before.Top ||
                Doc.Graph.Width != before.Width || Doc.Graph.Height != before.Height;
    }
    // The legend keeps its place unless it would cross the right or bottom
    // edge; then it moves left or up, never past the left or top edge.
    const ImageControl& legend = Canv.SampleBase;
    if (legend.Visible) {
        const int left =
            std::max(0, std::min(Doc.Sample.Left, Doc.Graph.Canvaswidth - legend.Width));
        const int top =
            std::max(0, std::min(Doc.Sample.Top, Doc.Graph.Canvasheight - legend.Height));
        if (left < Doc.Sample.Left || top < Doc.Sample.Top) {
            Doc.Sample.Left = std::min(Doc.Sample.Left, left);
            Doc.Sample.Top = std::min(Doc.Sample.Top, top);
            moved = true;
        }
    }
    // A legend beside the plot area leaves the right axis its numbers and
    // label: the plot area narrows by what they would cover.
    const TMathLabel& y2 = Canv.Y2label;
    const int covered = y2.Left + y2.Width + 10 - Doc.Sample.Left;
    const bool beside = Doc.Sample.Left > Doc.Graph.Left + Doc.Graph.Width / 2 &&
                        Doc.Sample.Top < Doc.Graph.Top + Doc.Graph.Height &&
                        Doc.Sample.Top + legend.Height > Doc.Graph.Top;
    if (legend.Visible && y2.Visible && beside && covered > 0 &&
        Doc.Graph.Width > GraphSettings::kMinSize) {
        Doc.Graph.Width = std::max(GraphSettings::kMinSize, Doc.Graph.Width - covered);
        moved = true;
    }
    return moved;
}

void TfMain::TickCounts(AxisIndex axis, int& divisions, int& minors) const {
    const AxisSettings& settings = Doc.Axes[std::size_t(axis)];
    divisions = settings.Large;
    minors = settings.Small;
    if (!settings.NiceTicks) return;
    if (IsLogAxis(settings.Type)) {
        minors = 9;
        return;
    }
    // Fixed limits get their ticks from FixedLimitTicks.
    if (!settings.Autosize) return;
    // The limits are the plan's own, so planning them again gives its ticks.
    const NiceTicks plan = NiceTicksFor(settings.Min, settings.Max);
    if (plan.Intervals < 4) return;
    divisions = plan.Intervals;
    minors = plan.Minors;
}

std::optional<NiceTicks> TfMain::FixedLimitTicks(AxisIndex axis) const {
    const AxisSettings& settings = Doc.Axes[std::size_t(axis)];
    if (!settings.NiceTicks || settings.Autosize || IsLogAxis(settings.Type)) return std::nullopt;
    const double lo = settings.Min, hi = settings.Max;
    if (!(hi > lo) || !std::isfinite(hi - lo)) return std::nullopt;
    const NiceTicks plan = NiceTicksWithin(lo, hi);
    if (plan.Intervals < 4) return std::nullopt;
    return plan;
}

void TfMain::menuPlotNumberClick() {
    // A selected number label goes with the old numbers.
    if (Selected == GraphObject::Number) {
        Selected = GraphObject::None;
        SelectedLabel = nullptr;
        Canv.Paint.Visible = false;
    }
    AxisNumberLayout axis;
    axis.Left = Canv.Image.Left;
    axis.Top = Canv.Image.Top;
    axis.Width = Canv.Image.Width;
    axis.Height = Canv.Image.Height;
    const TLogFont font = ToLogFont(Doc.Fonts.Num);
    auto numbers = [&](AxisIndex index, std::vector<std::unique_ptr<TMathLabel>>& labels,
                       const TFrame& frame) {
        const AxisSettings& settings = Doc.Axes[std::size_t(index)];
        axis.XAxis = index == kAxisX;
        axis.RightAxis = index == kAxisY2;
        axis.Type = settings.Type;
        axis.Min = settings.Min;
        axis.Max = settings.Max;
        int minors = 0;
        TickCounts(index, axis.Divisions, minors);
        axis.Ticks = FixedLimitTicks(index);
        axis.Dates = AxisDates(index);
        MakeAxisNumbers(labels, axis, frame, font);
    };
    numbers(kAxisX, XNumbers, AllImage);
    numbers(kAxisY, YNumbers, AllImage);
    if (Doc.UsesRightAxis())
        numbers(kAxisY2, Y2Numbers, RightImage);
    else
        Y2Numbers.clear();
    emit GraphChanged();
}

void TfMain::menuLabelPlotClick() {
    Edit("ﾗﾍﾞﾙの配置", [](GraphDocument& d) { d.ForgetLabelPlaces(); });
    LayLabels();
}

void TfMain::LayLabels() {
    const int L = Canv.Image.Left, T = Canv.Image.Top, W = Canv.Image.Width, H = Canv.Image.Height;
    TMathLabel& title = Canv.Graphtitle;
    title.Font = ToLogFont(Doc.Fonts.Graphtitle);
    title.SetCaption(Doc.Title.Main);
    title.Top = T - title.Height - 10;
    title.Left = L + W / 2 - title.Width / 2;

    TMathLabel& x = Canv.Xlabel;
    x.Font = ToLogFont(Doc.X().TitleFont);
    x.SetCaption(Doc.X().Title);
    const int numberHeight = YNumbers.empty() ? 0 : YNumbers.front()->Height;
    x.Top = T + H + numberHeight + 10;
    // Never over the X numbers, whatever the Y axis shows.
    for (const auto& label : XNumbers)
        if (label->Visible) x.Top = std::max(x.Top, label->Top + label->Height + 5);
    x.Left = L + W / 2 - x.Width / 2;

    TMathLabel& y = Canv.Ylabel;
    y.Font = ToLogFont(Doc.Y().TitleFont);
    y.SetCaption(Doc.Y().Title);
    // Left of the leftmost visible Y number; without any, left of the plot
    // area.
    int m = L;
    for (const auto& label : YNumbers)
        if (label->Visible && label->Left < m) m = label->Left;
    y.Left = m - y.Width - 10;
    y.Top = T + H / 2 - y.Height / 2;

    // Right of the rightmost visible right-axis number.
    TMathLabel& y2 = Canv.Y2label;
    y2.Visible = Doc.UsesRightAxis();
    y2.Font = ToLogFont(Doc.Y2().TitleFont);
    y2.SetCaption(Doc.Y2().Title);
    int r = L + W;
    for (const auto& label : Y2Numbers)
        if (label->Visible) r = std::max(r, label->Left + label->Width);
    y2.Left = r + 10;
    y2.Top = T + H / 2 - y2.Height / 2;
    PlaceDraggedLabels();
    emit GraphChanged();
}

void TfMain::PlaceDraggedLabels() {
    const std::pair<const std::optional<LabelPlace>&, TMathLabel&> labels[] = {
        {Doc.TitlePlace, Canv.Graphtitle},
        {Doc.XlabelPlace, Canv.Xlabel},
        {Doc.YlabelPlace, Canv.Ylabel},
        {Doc.Y2labelPlace, Canv.Y2label}};
    for (const auto& [place, label] : labels) {
        if (!place) continue;
        label.Left = place->Left;
        label.Top = place->Top;
    }
}

std::string TfMain::LegendRowText(int n) {
    std::string text = LegendTextOf(n);
    if (Doc.Sample.AxisNote && Doc.UsesRightAxis())
        text += YAxisOf(n) == kAxisY2 ? kRightAxisNote : kLeftAxisNote;
    return text;
}

void TfMain::menuExPlotClick() {
    std::vector<LegendRow> rows;
    for (int k = 0; k < SeriesCount(); ++k)
        rows.push_back({LegendRowText(k), Series(k).InLegend, &LineImage(k)});
    const int listed = RecordLegend(LegendPicture, rows, Doc.Sample, ToLogFont(Doc.Fonts.Sample),
                                    AllImage.Width, AllImage.Height);
    Canv.SampleBase.Visible = listed > 0;
    ImageControl& base = Canv.SampleBase;
    base.Width = LegendPicture.Width();
    base.Height = LegendPicture.Height();
    base.Bitmap = WhiteImage(base.Width, base.Height);
    {
        QPainter painter(&base.Bitmap);
        ReplayPicture(painter, LegendPicture);
    }
    base.Top = Doc.Sample.Top;
    base.Left = Doc.Sample.Left;
    emit GraphChanged();
}
