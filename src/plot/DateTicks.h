#pragma once

#include <string>
#include <vector>

// Ticks at round calendar steps for an axis of times (seconds since
// 1970-01-01 UTC): years, months, weeks, days, hours, minutes, seconds and
// their decimals, each numbered in the shortest form that tells the ticks
// apart.

// Whose clock the ticks are round in: this machine's local time, UTC, or
// none (times of day, seconds since a midnight: hours run on past 24).
enum class DateClock { Local, Utc, TimeOfDay };

struct DateTicks {
    DateClock Clock = DateClock::Local;
    double Min = 0, Max = 1;
    std::vector<double> Majors, Minors;
    // The number of each major ("2024", "2024-03", "03-15", "06:00",
    // "06:00:30", "06:00:30.5") and the date the number alone does not
    // tell: the year under days and the day under times, empty for months
    // and years. It is written below the first number and where it changes.
    std::vector<std::string> Texts, Dates;
    bool Empty() const { return Majors.empty(); }
};

// Ticks for times from lo to hi (lo < hi): the step that gives 4 to 8
// intervals, nearest 6, then the larger step. With `expand` the limits
// move out to the ticks at or around them; otherwise they stay and need
// not be ticks. Empty where no calendar step fits (a span of less than a
// few milliseconds, or far beyond what a calendar counts).
DateTicks DateTicksFor(double lo, double hi, bool expand, DateClock clock);
