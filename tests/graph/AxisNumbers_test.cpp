#include "graph/AxisNumbers.h"
#include "graph/PointerText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

TEST(AxisNumberText, FormatsWithHalvesAwayFromZero) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {12.5, "  13"},     {-12.5, " -13"},    {1.25, "1.3"},         {0.125, "0.13"},
        {0, " 0"},          {-5, "-5"},         {100, " 100"},         {25, "  25"},
        {75, "  75"},       {0.25, "0.25"},     {2.5, "2.5"},          {7.5, "7.5"},
        {1, " 1"},          {1.2e-6, "1.2E-6"}, {5e-5, "5E-5"},        {-1.1e-16, "-1.1E-16"},
        {0.0001, "0.0001"}, {9.96, "10"},       {99.5, " 100"},        {123456, "123456"},
        {0.15, "0.15"},     {0.999, " 1"},      {-0.5, "-0.5"},        {10, "  10"},
        {0.1, "0.1"},       {3.14159, "3.1"},   {0.000125, "0.00013"},
    };
    for (const Case& c : cases) EXPECT_EQ(AxisNumberText(c.value), c.text) << c.value;
}

// Every number states its tick: the texts above where they read back,
// more digits where they do not, the E form for the large numbers of an
// axis.
TEST(AxisNumberTexts, StateEachTick) {
    struct Case {
        const char* name;
        std::vector<double> ticks;
        double step;
        std::vector<std::string> texts;
    } cases[] = {
        {"0 to 100 as before", {0, 25, 50, 75, 100}, 25, {" 0", "  25", "  50", "  75", " 100"}},
        {"0 to 1 as before", {0, 0.25, 0.5, 0.75, 1}, 0.25, {" 0", "0.25", "0.5", "0.75", " 1"}},
        {"small numbers as before",
         {0, 2.5e-5, 5e-5, 7.5e-5, 1e-4},
         2.5e-5,
         {" 0", "2.5E-5", "5E-5", "7.5E-5", "0.0001"}},
        {"12.5 no longer reads 13",
         {0, 12.5, 25, 37.5, 50},
         12.5,
         {" 0", "12.5", "  25", "37.5", "  50"}},
        {"an offset range",
         {100.1, 100.1 + 0.05, 100.1 + 0.1, 100.1 + 0.15, 100.1 + 0.2},
         0.05,
         {"100.1", "100.15", "100.2", "100.25", "100.3"}},
        {"a narrow Y range",
         {5.02, 5.015, 5.01, 5.005, 5},
         0.005,
         {"5.02", "5.015", "5.01", "5.005", " 5"}},
        {"a rounding step next to 0 is 0",
         {-1, -0.5, -1.1e-16, 0.5, 1},
         0.5,
         {"-1", "-0.5", " 0", "0.5", " 1"}},
        {"wavelengths",
         {4e-7, 4.75e-7, 5.5e-7, 6.25e-7, 7e-7},
         7.5e-8,
         {"4E-7", "4.75E-7", "5.5E-7", "6.25E-7", "7E-7"}},
        {"one large number puts the axis in the E form",
         {0, 5e5, 1e6, 1.5e6, 2e6},
         5e5,
         {" 0", " 5E5", " 1E6", "1.5E6", " 2E6"}},
        {"large and negative", {3e12, 2.5e12, -1.2e7}, 5e11, {"3E12", "2.5E12", "-1.2E7"}},
        {"halves away from zero in the digits found", {0.125, 0.1875}, 0.0625, {"0.125", "0.1875"}},
    };
    for (const Case& c : cases) EXPECT_EQ(AxisNumberTexts(c.ticks, c.step), c.texts) << c.name;
}

// Read off under the mouse: the digits a pixel tells, times as times.
TEST(PointerValueText, TellsWhatOnePixelResolves) {
    struct Case {
        double value, resolution;
        std::optional<DateClock> clock;
        const char* text;
    } cases[] = {
        {50, 0.3, {}, "50"},
        {0.2959, 0.3, {}, "0.3"},
        {12.3456, 0.01, {}, "12.35"},
        {0, 0.3, {}, "0"},
        {31.6227766, 1.09, {}, "32"},
        {2.5e7, 1e5, {}, "2.5E7"},
        {-3.2e-5, 1e-7, {}, "-3.2E-5"},
        {1.0 / 3, 0, {}, "0.333333333333333"},
        {1706680830, 1, DateClock::Utc, "2024-01-31 06:00:30Z"},
        {1706680830.25, 0.01, DateClock::Utc, "2024-01-31 06:00:30.25Z"},
        {1706680830, 120, DateClock::Utc, "2024-01-31 06:00Z"},
        {1706680830, 2 * 86400, DateClock::Utc, "2024-01-31"},
        {23400, 0, DateClock::TimeOfDay, "06:30:00"},
        {23400.5, 0, DateClock::TimeOfDay, "06:30:00.5"},
        {std::nan(""), 1, {}, "NAN"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PointerValueText(c.value, c.resolution, c.clock), c.text) << c.value;
}

TEST(TrimSpaces, RemovesLeadingAndTrailingSpaces) {
    EXPECT_EQ(TrimSpaces("  13"), "13");
    EXPECT_EQ(TrimSpaces(" a b "), "a b");
    EXPECT_EQ(TrimSpaces("   "), "");
}

}  // namespace
