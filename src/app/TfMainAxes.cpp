// The axes of a drawing: their ranges from the series drawn against
// each, the points a logarithmic axis leaves out, and which axes show
// times, with their calendar ticks.
#include <cmath>
#include <map>

#include "app/TfMain.h"
#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/SideBySide.h"
#include "platform/TimeText.h"
#include "platform/UsableCores.h"
#include "plot/NiceTicks.h"
#include "plot/PlotNames.h"

namespace {

// Fills the work table for one axis range: column m holds the largest and
// the smallest of the m-th series' values at its whole points (NaN for
// none). The table's range is then the range of all those values, and a
// million rows are not copied to find it.
void FillRangeTable(TCalc& calc, const std::vector<PointColumn*>& values,
                    const std::vector<PointColumn*>& partners,
                    const std::vector<ErrorExtents>& errors, bool log, int rows) {
    calc.SetCol(int(values.size()));
    calc.SetRow(2);
    // Each series' range on a core of its own: ten million points each.
    RunSideBySide(values.size(), UsableCores(), [&](std::size_t m) {
        double max = kMissingValue, min = kMissingValue;
        const PointColumn& v = *values[m];
        const PointColumn& other = *partners[m];
        for (int j = 0; j < rows; ++j) {
            const double value = v[std::size_t(j)];
            if (std::isnan(other[std::size_t(j)]) || std::isnan(value)) continue;
            if (!(value <= max)) max = value;
            if (!(value >= min)) min = value;
        }
        WidenByErrors(min, max, v, other, errors[m], log);
        double* column = calc.Column(int(m));
        column[0] = max;
        column[1] = min;
    });
}

}  // namespace

AxisIndex TfMain::YAxisOf(int n) const {
    return Doc.Series.at(std::size_t(n)).Style.AxisY == SeriesStyle::kRightAxis ? kAxisY2 : kAxisY;
}

std::string TfMain::LeaveOutNotPositive(const std::vector<int>& checked,
                                        const std::vector<int>& xColumns,
                                        const std::vector<int>& yColumns, Columns& xs, Columns& ys,
                                        std::map<std::pair<int, int>, PointColumn>& copies) {
    const std::size_t k = checked.size();
    auto onAxis = [&](AxisIndex axis, std::size_t m) {
        return axis == kAxisX || YAxisOf(checked[m]) == axis;
    };
    // Whether a column is drawn on another axis than `axis` too.
    auto elsewhere = [&](AxisIndex axis, int column) {
        for (std::size_t m = 0; m < k; ++m) {
            if (axis != kAxisX && xColumns[m] == column) return true;
            if (yColumns[m] == column && !(axis != kAxisX && onAxis(axis, m))) return true;
        }
        return false;
    };
    std::string notice;
    for (const AxisIndex axis : {kAxisX, kAxisY, kAxisY2}) {
        if (!IsLogAxis(Doc.Axes[std::size_t(axis)].Type)) continue;
        Columns& values = axis == kAxisX ? xs : ys;
        const std::vector<int>& own = axis == kAxisX ? xColumns : yColumns;
        std::map<const PointColumn*, PointColumn*> filtered;
        std::int64_t leftOut = 0;
        for (std::size_t m = 0; m < k; ++m) {
            if (!onAxis(axis, m)) continue;
            PointColumn*& target = filtered[values[m]];
            if (!target) {
                target = values[m];
                const auto notPositive =
                    std::count_if(target->begin(), target->end(), [](double v) { return v <= 0; });
                if (notPositive > 0) {
                    // A column another axis shows too is filtered in a copy
                    // (and the grid's numbers never).
                    if (elsewhere(axis, own[m])) target = &(copies[{axis, own[m]}] = *target);
                    double* v = target->Edit();
                    for (std::size_t i = 0; i < target->size(); ++i)
                        if (v[i] <= 0) v[i] = kMissingValue;
                    leftOut += notPositive;
                }
            }
            values[m] = target;
        }
        if (leftOut == 0) continue;
        if (!notice.empty()) notice += '\n';
        const char* name = axis == kAxisX ? "X" : axis == kAxisY ? "Y" : "Y2";
        notice += FormatText(kNotPositiveLeftOutText, {name, std::to_string(leftOut)});
    }
    return notice;
}

bool TfMain::AxisRanges(const std::vector<int>& checked, const Columns& xs, const Columns& ys,
                        const std::vector<ErrorExtents>& errorsX,
                        const std::vector<ErrorExtents>& errorsY) {
    if (!RangeStep(kAxisX, xs, ys, errorsX)) return false;
    // Each Y axis from its own series.
    Columns xsOf[2], ysOf[2];
    std::vector<ErrorExtents> errorsOf[2];
    for (std::size_t m = 0; m < checked.size(); ++m) {
        const std::size_t side = YAxisOf(checked[m]) == kAxisY2;
        xsOf[side].push_back(xs[m]);
        ysOf[side].push_back(ys[m]);
        errorsOf[side].push_back(errorsY[m]);
    }
    if (!ysOf[1].empty() && !RangeStep(kAxisY2, ysOf[1], xsOf[1], errorsOf[1])) return false;
    if (!ysOf[0].empty()) {
        if (!RangeStep(kAxisY, ysOf[0], xsOf[0], errorsOf[0])) return false;
    } else if (Doc.Y().Autosize) {
        // Every series on the right: the left axis shows the same range.
        Doc.Y().Min = Doc.Y2().Min;
        Doc.Y().Max = Doc.Y2().Max;
        if (!CheckLimits(kAxisY)) return false;
    }
    for (int n = 0; n < SeriesCount(); ++n) {
        TPlot& p = LineImage(n);
        const AxisSettings& y = Doc.Axes[std::size_t(YAxisOf(n))];
        p.Xmin = Doc.X().Min;
        p.Xmax = Doc.X().Max;
        p.Ymin = y.Min;
        p.Ymax = y.Max;
    }
    return true;
}

bool TfMain::RangeStep(AxisIndex axis, const Columns& values, const Columns& partners,
                       const std::vector<ErrorExtents>& errors) {
    AxisSettings& settings = Doc.Axes[std::size_t(axis)];
    FillRangeTable(Calc, values, partners, errors, IsLogAxis(settings.Type), RowCount());
    Calc.Type = settings.Type;
    Calc.CalcMaxMin();
    if (std::isnan(Calc.Max)) {
        ShowMessage(kNoPointsText);
        return false;
    }
    if (settings.Autosize) {
        settings.Max = Calc.AboutMax;
        settings.Min = Calc.AboutMin;
        if (settings.NiceTicks && !IsLogAxis(Calc.Type)) {
            // Limits no round step can split keep the usual rounding.
            const NiceTicks plan = NiceTicksFor(Calc.Min, Calc.Max);
            if (plan.Intervals >= 4) {
                settings.Max = plan.Max;
                settings.Min = plan.Min;
            }
        }
    }
    RoundDateLimits(axis, Calc.Min, Calc.Max);
    return CheckLimits(axis);
}

bool TfMain::CheckLimits(AxisIndex axis) {
    const AxisSettings& settings = Doc.Axes[std::size_t(axis)];
    const double lo = settings.Min, hi = settings.Max;
    const bool log = IsLogAxis(settings.Type);
    const bool usable = std::isfinite(lo) && std::isfinite(hi) && lo != hi &&
                        std::isfinite(hi - lo) && (!log || (lo > 0 && hi > 0));
    if (!usable) {
        const char* text = axis == kAxisX   ? kXRangeText
                           : axis == kAxisY ? kYRangeText
                                            : kY2RangeText;
        ShowMessage(FormatText(text, {FloatToText(lo), FloatToText(hi)}));
    }
    return usable;
}

std::optional<DateClock> TfMain::DateClockOf(AxisIndex axis) const {
    const AxisSettings& settings = Doc.Axes[std::size_t(axis)];
    if (IsLogAxis(settings.Type)) return std::nullopt;
    std::vector<const TimeForm*> forms;
    bool plotted = false, allTimes = true;
    for (int n = 0; n < SeriesCount(); ++n) {
        const GraphSeries& s = Doc.Series[std::size_t(n)];
        if (!s.Plotted || (axis != kAxisX && YAxisOf(n) != axis)) continue;
        plotted = true;
        const int column = axis == kAxisX ? s.Style.AxisX : s.YColumn;
        const TimeForm* form = column > 0 ? DataG().TimeFormOf(column) : nullptr;
        if (form)
            forms.push_back(form);
        else
            allTimes = false;
    }
    if (settings.Type != AxisKind::Date && !(plotted && allTimes)) return std::nullopt;
    // Times of day count from midnight; times written in UTC are shown in
    // UTC; all others on this machine's clock, as they were read.
    if (forms.empty()) return DateClock::Local;
    bool timesOfDay = true, utc = true;
    for (const TimeForm* form : forms) {
        timesOfDay = timesOfDay && form->TimeOfDay;
        utc = utc && !form->TimeOfDay && form->ZoneKind == TimeForm::Zone::Utc;
    }
    if (timesOfDay) return DateClock::TimeOfDay;
    return utc ? DateClock::Utc : DateClock::Local;
}

void TfMain::RoundDateLimits(AxisIndex axis, double lo, double hi) {
    std::optional<DateTicks>& kept = dateTicks_[std::size_t(axis)];
    kept.reset();
    const std::optional<DateClock> clock = DateClockOf(axis);
    AxisSettings& settings = Doc.Axes[std::size_t(axis)];
    if (!clock || !settings.Autosize) return;
    DateTicks ticks = DateTicksFor(lo, hi, true, *clock);
    if (ticks.Empty()) return;
    settings.Min = ticks.Min;
    settings.Max = ticks.Max;
    kept = std::move(ticks);
}

std::optional<DateTicks> TfMain::AxisDates(AxisIndex axis) const {
    const std::optional<DateClock> clock = DateClockOf(axis);
    if (!clock) return std::nullopt;
    const AxisSettings& settings = Doc.Axes[std::size_t(axis)];
    // The automatic limits' own ticks, while the limits are those.
    const std::optional<DateTicks>& kept = dateTicks_[std::size_t(axis)];
    if (kept && kept->Clock == *clock && kept->Min == settings.Min && kept->Max == settings.Max)
        return kept;
    DateTicks ticks = DateTicksFor(settings.Min, settings.Max, false, *clock);
    if (ticks.Empty()) return std::nullopt;
    return ticks;
}
