#include "platform/TimeText.h"

#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"

namespace {

// Local time of these tests: Japan, nine hours east of UTC, no summer time.
class TimeTextTest : public ::testing::Test {
    ScopedTimeZone zone_{"JST-9"};
};

constexpr double kJan31Utc = 1706659200;  // 2024-01-31T00:00Z
constexpr double kJst = 9 * 3600;

TEST_F(TimeTextTest, ReadsEveryWrittenFormAndWritesItBack) {
    struct Case {
        const char* text;
        TimeField::Kinds kind;
        double seconds;
        const char* written;  // TimeText in the form read; null: the text itself
    } cases[] = {
        {"2024-01-31", TimeField::Valid, kJan31Utc - kJst, nullptr},
        {"2024-01-31T06:00", TimeField::Valid, kJan31Utc - kJst + 6 * 3600, nullptr},
        {"2024-01-31 06:00:00.25", TimeField::Valid, kJan31Utc - kJst + 6 * 3600 + 0.25, nullptr},
        {"2024-01-31T06:00:00Z", TimeField::Valid, kJan31Utc + 6 * 3600, nullptr},
        {"2024-01-31T06:00+09:00", TimeField::Valid, kJan31Utc - 3 * 3600, nullptr},
        {"2024-01-31T06:00-0530", TimeField::Valid, kJan31Utc + 11.5 * 3600,
         "2024-01-31T06:00-05:30"},
        {"2024/01/31", TimeField::Valid, kJan31Utc - kJst, nullptr},
        {"2024/1/31 6:00", TimeField::Valid, kJan31Utc - kJst + 6 * 3600, nullptr},
        {"  2024-02-29  ", TimeField::Valid, kJan31Utc - kJst + 29 * 86400, "2024-02-29"},
        {"2024-01-31T24:00", TimeField::Valid, kJan31Utc - kJst + 86400, "2024-02-01T00:00"},
        {"06:00:00", TimeField::Valid, 6 * 3600, nullptr},
        {"6:30", TimeField::Valid, 6.5 * 3600, nullptr},
        {"1969-12-31T23:59:59Z", TimeField::Valid, -1, nullptr},
        // Written as dates, but none: missing values, never the year.
        {"2024-02-30", TimeField::Invalid, 0, nullptr},
        {"2023-02-29", TimeField::Invalid, 0, nullptr},
        {"2024-13-01", TimeField::Invalid, 0, nullptr},
        {"2024-01-31T25:00", TimeField::Invalid, 0, nullptr},
        {"2024-01-31T06:61", TimeField::Invalid, 0, nullptr},
        {"2024-01-31x", TimeField::Invalid, 0, nullptr},
        {"25:00", TimeField::Invalid, 0, nullptr},
        // Numbers and words are no times.
        {"2024", TimeField::NotTime, 0, nullptr},
        {"-1.5e3", TimeField::NotTime, 0, nullptr},
        {"12-5", TimeField::NotTime, 0, nullptr},
        {"time", TimeField::NotTime, 0, nullptr},
        {"", TimeField::NotTime, 0, nullptr},
    };
    for (const Case& c : cases) {
        const TimeField field = ReadTimeField(c.text);
        EXPECT_EQ(field.Kind, c.kind) << c.text;
        if (field.Kind != TimeField::Valid || c.kind != TimeField::Valid) continue;
        EXPECT_DOUBLE_EQ(field.Seconds, c.seconds) << c.text;
        EXPECT_EQ(TimeText(field.Seconds, field.Form), c.written ? c.written : c.text) << c.text;
    }
}

TEST_F(TimeTextTest, CivilTimeCarriesOverAndFollowsTheZone) {
    const CivilTime utc = ToCivil(kJan31Utc + 6 * 3600 + 30.5, false);
    EXPECT_EQ(utc.Year, 2024);
    EXPECT_EQ(utc.Month, 1);
    EXPECT_EQ(utc.Day, 31);
    EXPECT_EQ(utc.Hour, 6);
    EXPECT_EQ(utc.Minute, 0);
    EXPECT_DOUBLE_EQ(utc.Second, 30.5);
    EXPECT_EQ(ToCivil(kJan31Utc + 20 * 3600, true).Day, 1);  // 05:00 on Feb 1 in Japan
    EXPECT_DOUBLE_EQ(FromCivil({.Year = 2023, .Month = 13, .Day = 31}, false), kJan31Utc);
    EXPECT_DOUBLE_EQ(FromCivil({.Year = 2024, .Month = 1, .Day = 30, .Hour = 24}, false),
                     kJan31Utc);
    EXPECT_DOUBLE_EQ(FromCivil({.Year = 2024, .Month = 1, .Day = 31}, true), kJan31Utc - kJst);
    EXPECT_DOUBLE_EQ(FromCivil({.Year = 1850, .Month = 1, .Day = 1}, false), -3786825600.0);
}

TEST_F(TimeTextTest, SummerTimeIsTheOffsetOfItsDay) {
    ScopedTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
    // 2024-07-01 12:00 in Berlin is 10:00 UTC; in January 11:00 UTC.
    EXPECT_DOUBLE_EQ(ReadTimeField("2024-07-01 12:00").Seconds, 1719828000.0);
    EXPECT_DOUBLE_EQ(ReadTimeField("2024-01-31 12:00").Seconds, kJan31Utc + 11 * 3600);
    const TimeField july = ReadTimeField("2024-07-01 12:00");
    EXPECT_EQ(TimeText(july.Seconds, july.Form), "2024-07-01 12:00");
}

TEST(TimeTextCells, ValuesBeyondTheCalendarAreNumbers) {
    const TimeForm form;
    EXPECT_EQ(TimeText(1e300, form), "1E300");
    EXPECT_EQ(TimeText(-4e13, form), "-40000000000000");
    EXPECT_EQ(ToCivil(1e300, false).Year, ToCivil(kMaxTimeSeconds, false).Year);
    EXPECT_EQ(ToCivil(std::nan(""), false).Year, 1970);
}

TEST(TimeTextCells, EditedCellsReadAsNumbersOrTimes) {
    double value = 0;
    EXPECT_TRUE(TryNumberOrTime("1.5", value));
    EXPECT_EQ(value, 1.5);
    EXPECT_TRUE(TryNumberOrTime("2024-01-31T00:00Z", value));
    EXPECT_EQ(value, kJan31Utc);
    EXPECT_FALSE(TryNumberOrTime("2024-02-30", value));
    EXPECT_FALSE(TryNumberOrTime("abc", value));
}

}  // namespace
