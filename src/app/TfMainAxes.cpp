// Date axes: which axes show times, and their calendar ticks.
#include "app/TfMain.h"
#include "platform/TimeText.h"
#include "plot/PlotNames.h"

std::optional<DateClock> TfMain::DateClockOf(AxisIndex axis) const {
    const AxisSettings& settings = Doc.Axes[std::size_t(axis)];
    if (IsLogAxis(settings.Type)) return std::nullopt;
    std::vector<const TimeForm*> forms;
    bool plotted = false, allTimes = true;
    for (int n = 0; n < SeriesCount(); ++n) {
        const GraphSeries& s = Doc.Series[std::size_t(n)];
        if (!s.Plotted) continue;
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
