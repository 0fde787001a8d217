#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Dates and times as data files write them, and their values: seconds
// since 1970-01-01 00:00 UTC. A time written without a zone is the local
// time of this machine (TZ), as the file's writer meant it; a time of day
// alone is the seconds since midnight.

// How a field gave its time, so that it can be written back the same way.
struct TimeForm {
    enum class Zone : std::uint8_t { Local, Utc, Offset };
    // A time of day alone (06:00:00): no date, no zone.
    bool TimeOfDay = false;
    // "2024-01-31" or "2024/1/31": the separator, and whether month and
    // day (and hour) were written with two digits.
    char DateSeparator = '-';
    bool Padded = true;
    // 0 for a date alone, 2 for hours and minutes, 3 with seconds.
    int TimeParts = 0;
    int FractionDigits = 0;
    // 'T' or ' ' between the date and the time.
    char TimeSeparator = 'T';
    Zone ZoneKind = Zone::Local;
    // East of UTC, with Zone::Offset.
    int OffsetMinutes = 0;
    bool operator==(const TimeForm&) const = default;
};

struct TimeField {
    enum Kinds {
        // Not written as a date or time at all: a number or a word.
        NotTime,
        // Written as one, but no such date or time (2024-02-30, 25:00).
        Invalid,
        Valid
    };
    Kinds Kind = NotTime;
    double Seconds = 0;
    TimeForm Form;
};

// Reads a field (blanks around it allowed): a date 2024-01-31 or
// 2024/1/31, optionally with a time after "T" or blanks (06:00,
// 06:00:00.25) and a zone ("Z", "+09:00", "+0900", "+09"); or a time of
// day alone.
TimeField ReadTimeField(std::string_view text);

// A cell's text as a value: a number (strictly), else a date or time.
bool TryNumberOrTime(std::string_view text, double& value);

// The times a calendar counts here: a million years either way of 1970.
// A value beyond (a plain number in a column of times) is no time.
inline constexpr double kMaxTimeSeconds = 3.2e13;
inline bool IsCalendarTime(double seconds) {
    return seconds >= -kMaxTimeSeconds && seconds <= kMaxTimeSeconds;
}

// The text of a value in a form: what the field it came from looked like;
// a value that is no calendar time as a number.
std::string TimeText(double seconds, const TimeForm& form);

// The calendar and the clock of a time: in local time, or in UTC (which
// is also how a time of day reads, from its midnight). Times beyond the
// calendar are held at its ends.
struct CivilTime {
    std::int64_t Year = 1970;
    int Month = 1, Day = 1, Hour = 0, Minute = 0;
    double Second = 0;
};
CivilTime ToCivil(double seconds, bool local);
// The time of a calendar date and clock; fields beyond their range carry
// over (month 13 is January of the next year, hour 24 the next day).
double FromCivil(const CivilTime& civil, bool local);

// The seconds east of UTC that local time is at `utc`.
int LocalOffsetSeconds(double utc);
// After the program changed TZ (tests do): offsets are looked up anew.
void ForgetLocalOffsets();
