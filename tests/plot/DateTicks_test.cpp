#include "plot/DateTicks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/TimeText.h"

namespace {

double Utc(const char* text) {
    return ReadTimeField(std::string(text) + "Z").Seconds;
}

double Year(int year) {
    return FromCivil({.Year = year, .Month = 1, .Day = 1}, false);
}

TEST(DateTicks, RoundCalendarStepsFromSecondsToCenturies) {
    struct Case {
        const char* name;
        double lo, hi;
        std::vector<std::string> texts;
        std::string firstDate;  // the date below the first number
        double min;             // the expanded lower limit
    } cases[] = {
        {"a few seconds",
         Utc("2024-01-31T06:00:00.3"),
         Utc("2024-01-31T06:00:02.7"),
         {"06:00:00.0", "06:00:00.5", "06:00:01.0", "06:00:01.5", "06:00:02.0", "06:00:02.5",
          "06:00:03.0"},
         "2024-01-31",
         Utc("2024-01-31T06:00:00")},
        {"a minute of seconds",
         Utc("2024-01-31T06:00:04"),
         Utc("2024-01-31T06:00:58"),
         {"06:00:00", "06:00:10", "06:00:20", "06:00:30", "06:00:40", "06:00:50", "06:01:00"},
         "2024-01-31",
         Utc("2024-01-31T06:00:00")},
        {"an hour of minutes",
         Utc("2024-01-31T06:02"),
         Utc("2024-01-31T06:58"),
         {"06:00", "06:10", "06:20", "06:30", "06:40", "06:50", "07:00"},
         "2024-01-31",
         Utc("2024-01-31T06:00")},
        {"a day of minute readings",
         Utc("2024-01-31T00:00"),
         Utc("2024-01-31T23:59"),
         {"00:00", "06:00", "12:00", "18:00", "00:00"},
         "2024-01-31",
         Utc("2024-01-31T00:00")},
        {"a month of hourly readings",
         Utc("2024-03-01T00:00"),
         Utc("2024-03-31T23:00"),
         {"02-26", "03-04", "03-11", "03-18", "03-25", "04-01"},
         "2024",
         Utc("2024-02-26T00:00")},
        {"a week",
         Utc("2024-03-01T00:00"),
         Utc("2024-03-08T00:00"),
         {"03-01", "03-02", "03-03", "03-04", "03-05", "03-06", "03-07", "03-08"},
         "2024",
         Utc("2024-03-01T00:00")},
        {"ten days",
         Utc("2024-01-01T00:00"),
         Utc("2024-01-10T00:00"),
         {"01-01", "01-03", "01-05", "01-07", "01-09", "01-11"},
         "2024",
         Utc("2024-01-01T00:00")},
        {"two-day steps start again on the first",
         Utc("2024-01-27T00:00"),
         Utc("2024-02-06T00:00"),
         {"01-27", "01-29", "01-31", "02-01", "02-03", "02-05", "02-07"},
         "2024",
         Utc("2024-01-27T00:00")},
        {"a year of days",
         Utc("2024-01-03T00:00"),
         Utc("2024-12-28T00:00"),
         {"2024-01", "2024-04", "2024-07", "2024-10", "2025-01"},
         "",
         Utc("2024-01-01T00:00")},
        {"two years",
         Utc("2023-02-10T00:00"),
         Utc("2024-11-10T00:00"),
         {"2023-01", "2023-07", "2024-01", "2024-07", "2025-01"},
         "",
         Utc("2023-01-01T00:00")},
        {"a yearly record 1850 to 2025",
         Year(1850),
         Year(2025),
         {"1850", "1875", "1900", "1925", "1950", "1975", "2000", "2025"},
         "",
         Utc("1850-01-01T00:00")},
        {"millennia",
         Year(-3000),
         Year(2000),
         {"-3000", "-2000", "-1000", "0", "1000", "2000"},
         "",
         Year(-3000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DateTicks ticks = DateTicksFor(c.lo, c.hi, true, DateClock::Utc);
        EXPECT_EQ(ticks.Texts, c.texts);
        ASSERT_FALSE(ticks.Dates.empty());
        EXPECT_EQ(ticks.Dates.front(), c.firstDate);
        EXPECT_DOUBLE_EQ(ticks.Min, c.min);
        EXPECT_LE(ticks.Min, c.lo);
        EXPECT_GE(ticks.Max, c.hi);
        EXPECT_EQ(ticks.Majors.size(), ticks.Texts.size());
        for (double minor : ticks.Minors) {
            EXPECT_GT(minor, ticks.Min);
            EXPECT_LT(minor, ticks.Max);
        }
    }
}

TEST(DateTicks, FixedLimitsStayAndTicksFallInside) {
    const double lo = Utc("2024-01-31T05:47"), hi = Utc("2024-01-31T11:13");
    const DateTicks ticks = DateTicksFor(lo, hi, false, DateClock::Utc);
    EXPECT_EQ(ticks.Min, lo);
    EXPECT_EQ(ticks.Max, hi);
    EXPECT_EQ(ticks.Texts,
              (std::vector<std::string>{"06:00", "07:00", "08:00", "09:00", "10:00", "11:00"}));
    EXPECT_EQ(ticks.Minors.front(), Utc("2024-01-31T06:15"));
}

TEST(DateTicks, LocalClocksAndTimesOfDay) {
    ScopedTimeZone zone("JST-9");
    // Midnight in Japan is 15:00 UTC the day before.
    const DateTicks local =
        DateTicksFor(Utc("2024-01-30T15:00"), Utc("2024-01-31T14:00"), true, DateClock::Local);
    EXPECT_EQ(local.Texts.front(), "00:00");
    EXPECT_EQ(local.Dates.front(), "2024-01-31");
    // Times of day count hours past midnight, without a date.
    const DateTicks day = DateTicksFor(6 * 3600, 30 * 3600, true, DateClock::TimeOfDay);
    EXPECT_EQ(day.Texts, (std::vector<std::string>{"06:00", "12:00", "18:00", "24:00", "30:00"}));
    EXPECT_EQ(day.Dates.front(), "");
    // Spans no calendar counts.
    EXPECT_TRUE(DateTicksFor(0, 1e-6, true, DateClock::Utc).Empty());
    EXPECT_TRUE(DateTicksFor(0, 1e300, true, DateClock::Utc).Empty());
    EXPECT_TRUE(DateTicksFor(5, 5, true, DateClock::Utc).Empty());
}

}  // namespace
