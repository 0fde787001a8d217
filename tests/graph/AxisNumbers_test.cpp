#include "graph/AxisNumbers.h"

#include <gtest/gtest.h>

namespace {

TEST(AxisNumberText, FormatsWithHalvesAwayFromZero) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {12.5, "  13"},   {-12.5, " -13"},  {1.25, "1.3"},    {0.125, "0.13"},  {0, " 0"},
        {-5, "-5"},       {100, " 100"},    {25, "  25"},     {75, "  75"},     {0.25, "0.25"},
        {2.5, "2.5"},     {7.5, "7.5"},     {1, " 1"},        {1.2e-6, "1.2E-6"}, {5e-5, "5E-5"},
        {-1.1e-16, "-1.1E-16"}, {0.0001, "0.0001"}, {9.96, "10"}, {99.5, " 100"},
        {123456, "123456"}, {0.15, "0.15"}, {0.999, " 1"}, {-0.5, "-0.5"}, {10, "  10"},
        {0.1, "0.1"},     {3.14159, "3.1"}, {0.000125, "0.00013"},
    };
    for (const Case& c : cases) EXPECT_EQ(AxisNumberText(c.value), c.text) << c.value;
}

TEST(TrimSpaces, RemovesLeadingAndTrailingSpaces) {
    EXPECT_EQ(TrimSpaces("  13"), "13");
    EXPECT_EQ(TrimSpaces(" a b "), "a b");
    EXPECT_EQ(TrimSpaces("   "), "");
}

}  // namespace
