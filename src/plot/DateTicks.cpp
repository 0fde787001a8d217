#include "plot/DateTicks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/FormatText.h"
#include "platform/TimeText.h"

namespace {

enum class Unit { Second, Minute, Hour, Day, Week, Month, Year };

struct Step {
    Unit unit;
    double count;
    // The minor ticks' step; a count of 0 for none.
    Unit minorUnit;
    double minorCount;
};

constexpr double kDay = 86400;

// Steps from the finest to the coarsest.
constexpr Step kSteps[] = {
    {Unit::Second, 0.001, Unit::Second, 0.0002},
    {Unit::Second, 0.002, Unit::Second, 0.0005},
    {Unit::Second, 0.005, Unit::Second, 0.001},
    {Unit::Second, 0.01, Unit::Second, 0.002},
    {Unit::Second, 0.02, Unit::Second, 0.005},
    {Unit::Second, 0.05, Unit::Second, 0.01},
    {Unit::Second, 0.1, Unit::Second, 0.02},
    {Unit::Second, 0.2, Unit::Second, 0.05},
    {Unit::Second, 0.5, Unit::Second, 0.1},
    {Unit::Second, 1, Unit::Second, 0.2},
    {Unit::Second, 2, Unit::Second, 0.5},
    {Unit::Second, 5, Unit::Second, 1},
    {Unit::Second, 10, Unit::Second, 2},
    {Unit::Second, 15, Unit::Second, 5},
    {Unit::Second, 30, Unit::Second, 10},
    {Unit::Minute, 1, Unit::Second, 15},
    {Unit::Minute, 2, Unit::Second, 30},
    {Unit::Minute, 5, Unit::Minute, 1},
    {Unit::Minute, 10, Unit::Minute, 2},
    {Unit::Minute, 15, Unit::Minute, 5},
    {Unit::Minute, 30, Unit::Minute, 10},
    {Unit::Hour, 1, Unit::Minute, 15},
    {Unit::Hour, 3, Unit::Hour, 1},
    {Unit::Hour, 6, Unit::Hour, 1},
    {Unit::Hour, 12, Unit::Hour, 3},
    {Unit::Day, 1, Unit::Hour, 6},
    {Unit::Day, 2, Unit::Hour, 12},
    {Unit::Week, 1, Unit::Day, 1},
    {Unit::Month, 1, Unit::Month, 0},
    {Unit::Month, 3, Unit::Month, 1},
    {Unit::Month, 6, Unit::Month, 1},
    {Unit::Year, 1, Unit::Month, 3},
    {Unit::Year, 2, Unit::Year, 1},
    {Unit::Year, 5, Unit::Year, 1},
    {Unit::Year, 10, Unit::Year, 2},
    {Unit::Year, 20, Unit::Year, 5},
    {Unit::Year, 25, Unit::Year, 5},
    {Unit::Year, 50, Unit::Year, 10},
    {Unit::Year, 100, Unit::Year, 20},
    {Unit::Year, 200, Unit::Year, 50},
    {Unit::Year, 250, Unit::Year, 50},
    {Unit::Year, 500, Unit::Year, 100},
    {Unit::Year, 1000, Unit::Year, 200},
};

double UnitLength(Unit unit) {
    switch (unit) {
        case Unit::Second:
            return 1;
        case Unit::Minute:
            return 60;
        case Unit::Hour:
            return 3600;
        case Unit::Day:
            return kDay;
        case Unit::Week:
            return 7 * kDay;
        case Unit::Month:
            return 30.436875 * kDay;
        case Unit::Year:
            return 365.2425 * kDay;
    }
    return 1;
}

double FloorTo(double value, double count) {
    return std::floor(value / count + 1e-9) * count;
}

// The calendar walks one clock: local time, or UTC (times of day too).
bool IsLocal(DateClock clock) {
    return clock == DateClock::Local;
}

// The civil time of the step at or before t.
CivilTime Floor(double t, Unit unit, double count, DateClock clock) {
    CivilTime c = ToCivil(t, IsLocal(clock));
    switch (unit) {
        case Unit::Second:
            c.Second = FloorTo(c.Second, count);
            break;
        case Unit::Minute:
            c.Second = 0;
            c.Minute = int(FloorTo(c.Minute, count));
            break;
        case Unit::Hour:
            c.Second = 0;
            c.Minute = 0;
            c.Hour = int(FloorTo(c.Hour, count));
            break;
        case Unit::Day:
            // Steps of days start again on the first of each month.
            c.Second = 0;
            c.Minute = c.Hour = 0;
            c.Day = int(FloorTo(c.Day - 1, count)) + 1;
            break;
        case Unit::Week: {
            c.Second = 0;
            c.Minute = c.Hour = 0;
            // Weeks start on Mondays; the first after 1970-01-01 was the 5th.
            const auto day = std::int64_t(std::floor(FromCivil(c, false) / kDay));
            c.Day -= int(((day - 4) % 7 + 7) % 7);
            break;
        }
        case Unit::Month:
            c.Second = 0;
            c.Minute = c.Hour = 0;
            c.Day = 1;
            c.Month = int(FloorTo(c.Month - 1, count)) + 1;
            break;
        case Unit::Year:
            c.Second = 0;
            c.Minute = c.Hour = 0;
            c.Day = c.Month = 1;
            c.Year = std::int64_t(FloorTo(double(c.Year), count));
            break;
    }
    return c;
}

// The k-th step after an aligned civil time.
double StepFrom(CivilTime c, Unit unit, double count, std::int64_t k, DateClock clock) {
    const double n = count * double(k);
    switch (unit) {
        case Unit::Second:
            c.Second += n;
            break;
        case Unit::Minute:
            c.Minute += int(n);
            break;
        case Unit::Hour:
            c.Hour += int(n);
            break;
        case Unit::Day:
            c.Day += int(n);
            break;
        case Unit::Week:
            c.Day += int(7 * n);
            break;
        case Unit::Month:
            c.Month += int(n);
            break;
        case Unit::Year:
            c.Year += std::int64_t(n);
            break;
    }
    return FromCivil(c, IsLocal(clock));
}

// The steps from the one at or before lo to the first at or after hi.
std::vector<double> Walk(double lo, double hi, Unit unit, double count, DateClock clock) {
    std::vector<double> values;
    if (count <= 0) return values;
    CivilTime start = Floor(lo, unit, count, clock);
    // A hair of the step: sums of decimal seconds are not exact.
    const double slack = count * UnitLength(unit) * 1e-6;
    for (std::int64_t k = 0; k < 100000; ++k) {
        double t = StepFrom(start, unit, count, k, clock);
        // Days of a month: a step into the next month starts it at its first.
        if (unit == Unit::Day && count > 1 && k > 0) {
            const CivilTime c = ToCivil(t, IsLocal(clock));
            if (c.Day != 1 && (c.Day - 1) % int(count) != 0) {
                start = {.Year = c.Year, .Month = c.Month, .Day = 1};
                start.Day -= int(count * double(k));  // so that step k is the 1st
                t = StepFrom(start, unit, count, k, clock);
            }
        }
        values.push_back(t);
        if (t >= hi - slack) break;
    }
    return values;
}

std::string TwoDigits(int v) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", v);
    return text;
}

int DecimalsOf(double count) {
    int digits = 0;
    while (digits < 3 && std::fabs(count - std::round(count)) > 1e-9) {
        count *= 10;
        ++digits;
    }
    return digits;
}

// A major's number and the date below it.
void Name(double t, const Step& step, DateClock clock, std::string& text, std::string& date) {
    // Rounded to the step's digits, so that 59.9999 s reads as the next minute.
    const int decimals = step.unit == Unit::Second ? DecimalsOf(step.count) : 0;
    const double unit = std::pow(10.0, -decimals);
    const CivilTime c = ToCivil(std::round(t / unit) * unit, IsLocal(clock));
    const std::string year = std::to_string(c.Year);
    const std::string day = Concat(year, "-", TwoDigits(c.Month), "-", TwoDigits(c.Day));
    date.clear();
    switch (step.unit) {
        case Unit::Year:
            text = year;
            return;
        case Unit::Month:
            text = Concat(year, "-", TwoDigits(c.Month));
            return;
        case Unit::Day:
        case Unit::Week:
            text = Concat(TwoDigits(c.Month), "-", TwoDigits(c.Day));
            date = year;
            return;
        default:
            break;
    }
    std::string hours = TwoDigits(c.Hour);
    if (clock == DateClock::TimeOfDay) {
        // Hours since the midnight the times count from.
        hours = TwoDigits(int(std::floor(std::round(t / unit) * unit / 3600)));
    } else {
        date = day;
    }
    text = Concat(hours, ":", TwoDigits(c.Minute));
    if (step.unit != Unit::Second) return;
    char seconds[16];
    std::snprintf(seconds, sizeof seconds, ":%0*.*f", decimals ? 3 + decimals : 2, decimals,
                  c.Second);
    text += seconds;
}

}  // namespace

DateTicks DateTicksFor(double lo, double hi, bool expand, DateClock clock) {
    DateTicks ticks;
    ticks.Clock = clock;
    ticks.Min = lo;
    ticks.Max = hi;
    // Beyond a million years and below a millisecond's thousandth no
    // calendar step applies.
    if (!(hi > lo) || !std::isfinite(hi - lo) || std::fabs(lo) > 3e13 || std::fabs(hi) > 3e13)
        return ticks;
    const Step* best = nullptr;
    double bestScore = 0;
    std::vector<double> bestWalk;
    for (const Step& step : kSteps) {
        if (clock == DateClock::TimeOfDay && step.unit > Unit::Hour) break;
        const double rough = (hi - lo) / (step.count * UnitLength(step.unit));
        if (rough > 40 || rough < 0.5) continue;
        std::vector<double> walk = Walk(lo, hi, step.unit, step.count, clock);
        // With expanded limits the intervals between the outer ticks; with
        // fixed ones the span in steps.
        const double intervals = expand ? double(walk.size() - 1) : rough;
        const bool within = intervals >= 4 - 1e-9 && intervals <= 8 + 1e-9;
        // Within 4 to 8 nearest 6 (ties to the larger step, later in the
        // list); outside, nearest on a logarithmic scale, after all those.
        const double score =
            within ? std::fabs(intervals - 6) : 10 + std::fabs(std::log(intervals / 6));
        if (!best || score <= bestScore) {
            best = &step;
            bestScore = score;
            bestWalk = std::move(walk);
        }
    }
    if (!best) return ticks;
    const double slack = best->count * UnitLength(best->unit) * 1e-6;
    if (expand) {
        ticks.Min = bestWalk.front();
        ticks.Max = bestWalk.back();
    }
    for (double t : bestWalk) {
        if (t < ticks.Min - slack || t > ticks.Max + slack) continue;
        ticks.Majors.push_back(t);
        std::string text, date;
        Name(t, *best, clock, text, date);
        ticks.Texts.push_back(std::move(text));
        ticks.Dates.push_back(std::move(date));
    }
    for (double t : Walk(ticks.Min, ticks.Max, best->minorUnit, best->minorCount, clock)) {
        if (t <= ticks.Min + slack || t >= ticks.Max - slack) continue;
        const bool onMajor = std::any_of(ticks.Majors.begin(), ticks.Majors.end(),
                                         [&](double m) { return std::fabs(m - t) < slack; });
        if (!onMajor) ticks.Minors.push_back(t);
    }
    return ticks;
}
