#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"
#include "data/ReadCases.h"
#include "data/TDataOpenDialog.h"
#include "platform/NumberText.h"

namespace {

constexpr const char* kComma = DataOpenOptions::kCommaDivMark;

TEST(ReadData, DatesAndTimesAreSecondsSince1970) {
    ScopedTimeZone zone("UTC0");
    constexpr double kJan31 = 1706659200;  // 2024-01-31T00:00Z
    const double kNaN = kMissingValue;
    const ReadCase cases[] = {
        {.name = "ISO timestamps beside two quantities, a title row",
         .content = "time temp pressure\n2024-01-31T06:00 21.5 1013\n2024-01-31T07:00Z 22 1012\n",
         .readTitle = true,
         .col = 3,
         .row = 2,
         .cells = {{0, 0, kJan31 + 6 * 3600}, {0, 1, kJan31 + 7 * 3600}, {1, 1, 22}}},
        {.name = "a date and a time split by the blank: the date column takes the time",
         .content = "2024/1/31 6:00:30 1\n2024/2/1 0:00:00 2\n",
         .col = 3,
         .row = 2,
         .cells = {{0, 0, kJan31 + 6 * 3600 + 30}, {1, 0, 6 * 3600 + 30}, {0, 1, kJan31 + 86400}}},
        {.name = "a number in a column of dates stays that number",
         .content = "2024-01-31 06:00 1\n1e300 07:00 2\n",
         .col = 3,
         .row = 2,
         .cells = {{0, 0, kJan31 + 6 * 3600}, {0, 1, 1e300}}},
        {.name = "with commas the blank inside a timestamp is no delimiter",
         .content = "2024-01-31 06:00,1\n2024-01-31 06:30:00.5,2\n",
         .divMark = kComma,
         .col = 2,
         .row = 2,
         .cells = {{0, 0, kJan31 + 6 * 3600}, {0, 1, kJan31 + 6.5 * 3600 + 0.5}}},
        {.name = "a quoted timestamp is one field",
         .content = "\"2024-01-31 06:00\" 1\n\"2024-01-31 09:00+09:00\" 2\n",
         .col = 2,
         .row = 2,
         .cells = {{0, 0, kJan31 + 6 * 3600}, {0, 1, kJan31}}},
        {.name = "no such date is a missing value, never its year",
         .content = "2024-02-28 1\n2024-02-30 2\n2023-02-29 3\n",
         .col = 2,
         .row = 3,
         .cells = {{0, 0, kJan31 + 28 * 86400}, {0, 1, kNaN}, {0, 2, kNaN}, {1, 2, 3}},
         .notice = NotNumbers(2, 2, 1, "2024-02-30")},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestDir dir;
        TDataOpenDialog reader;
        reader.FileName = dir.Write("log.txt", c.content);
        reader.DivMark = c.divMark;
        reader.ReadTitle = c.readTitle;
        ASSERT_TRUE(reader.ReadData());
        EXPECT_EQ(reader.Col(), c.col);
        EXPECT_EQ(reader.Row(), c.row);
        for (const CellValue& v : c.cells) {
            if (std::isnan(v.value))
                EXPECT_TRUE(std::isnan(reader.Cell(v.col, v.row))) << v.col << "," << v.row;
            else
                EXPECT_EQ(reader.Cell(v.col, v.row), v.value) << v.col << "," << v.row;
        }
        EXPECT_NE(reader.TimeFormOf(0), nullptr);
        EXPECT_EQ(reader.TimeFormOf(c.col - 1), nullptr);
        EXPECT_EQ(reader.NotNumberNotice(), c.notice);
        ExpectPiecesReadAsOneThread(c);
    }
}

}  // namespace
