#include "plot/NiceTicks.h"

#include <gtest/gtest.h>

namespace {

TEST(NiceTicks, RoundLimitsAndStepsForData) {
    struct Case {
        double lo, hi;
        double min, max, step;
        int intervals, minors;
    } cases[] = {
        {1900, 2025, 1900, 2025, 25, 5, 5},
        {0, 0.37, 0, 0.4, 0.1, 4, 5},
        {-3e-9, 7e-9, -4e-9, 8e-9, 2e-9, 6, 4},
        {1, 1.0004, 1, 1.0004, 0.0001, 4, 5},
        {0, 100, 0, 100, 20, 5, 4},
        {0, 1, 0, 1, 0.2, 5, 4},
        {-1, 1, -1, 1, 0.5, 4, 5},
        {3, 97, 0, 100, 20, 5, 4},
        {17.5, 52.5, 15, 55, 5, 8, 5},
        {-273.15, 100, -300, 100, 100, 4, 5},
        {9192631765, 9192631775, 9192631765, 9192631775, 2.5, 4, 5},
        {1e-300, 9e-300, 1e-300, 9e-300, 1e-300, 8, 5},
        {5, 5, 4, 6, 0.5, 4, 5},
        {0, 0, -1, 1, 0.5, 4, 5},
        {-5, -1, -5, -1, 1, 4, 5},
        {0.001, 0.0013, 0.001, 0.0013, 5e-5, 6, 5},
        {123456.3, 123456.7, 123456.3, 123456.7, 0.1, 4, 5},
        {2, 3.7, 2, 3.75, 0.25, 7, 5},
        {-0.00125, 0.00375, -0.002, 0.004, 0.001, 6, 5},
        {1000000, 7300000, 1000000, 8000000, 1000000, 7, 5},
    };
    for (const Case& c : cases) {
        const NiceTicks t = NiceTicksFor(c.lo, c.hi);
        SCOPED_TRACE(testing::Message() << c.lo << " to " << c.hi);
        EXPECT_DOUBLE_EQ(t.Min, c.min);
        EXPECT_DOUBLE_EQ(t.Max, c.max);
        EXPECT_DOUBLE_EQ(t.Step, c.step);
        EXPECT_EQ(t.Intervals, c.intervals);
        EXPECT_EQ(t.Minors, c.minors);
        EXPECT_LE(t.Min, c.lo);
        EXPECT_GE(t.Max, c.hi);
    }
}

// Limits a double cannot split into round steps keep one interval; no
// endless search.
TEST(NiceTicks, LimitsWithoutRoundStepsKeepOneInterval) {
    const double cases[][2] = {{1e20, 1e20 + 10}, {-1e308, 1e308}, {1e300, 1e300}};
    for (const auto& c : cases) {
        const NiceTicks t = NiceTicksFor(c[0], c[1]);
        EXPECT_LE(t.Min, c[0]);
        EXPECT_GE(t.Max, c[1]);
        const NiceTicks w = NiceTicksWithin(c[0], c[0] + 10);
        EXPECT_GE(w.Majors, 2);
    }
}

// Fixed limits stay; the majors are the round multiples inside them.
TEST(NiceTicks, RoundTicksInsideFixedLimits) {
    struct Case {
        double min, max;
        double first, step;
        int majors;
    } cases[] = {
        {1893, 2031, 1900, 20, 7},
        {0, 100, 0, 20, 6},
        {-0.3, 0.37, -0.3, 0.1, 7},
        {1, 1.0004, 1, 1e-4, 5},
        {9192631761, 9192631779, 9192631762.5, 2.5, 7},
    };
    for (const Case& c : cases) {
        const NiceTicks t = NiceTicksWithin(c.min, c.max);
        SCOPED_TRACE(testing::Message() << c.min << " to " << c.max);
        EXPECT_EQ(t.Min, c.min);
        EXPECT_EQ(t.Max, c.max);
        EXPECT_DOUBLE_EQ(t.First, c.first);
        EXPECT_DOUBLE_EQ(t.Step, c.step);
        EXPECT_EQ(t.Majors, c.majors);
        EXPECT_GE(t.First, c.min);
        EXPECT_LE(t.Major(t.Majors - 1), c.max);
    }
}

}  // namespace
