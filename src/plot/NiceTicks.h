#pragma once

// Round tick steps for a linear axis: majors at multiples of 1, 2, 2.5 or
// 5 x 10^k, 4 to 8 major intervals, the limits enclosing the data with the
// least empty range among those (then the count nearest 6, then the larger
// step); minors divide a major interval into 5 (4 for steps of 2).
struct NiceTicks {
    double Min = 0, Max = 1;
    double Step = 1;
    int Intervals = 1;
    int Minors = 5;
    // The first major tick, and how many lie from it to Max. With limits
    // of the plan's own, First is Min and Majors Intervals + 1.
    double First = 0;
    int Majors = 2;
    double Major(int i) const { return First + i * Step; }
};

// The limits and ticks for data from lo to hi (lo <= hi). Where no round
// step fits (limits far from 0 for their span, or not finite), the plan
// is lo to hi in one interval.
NiceTicks NiceTicksFor(double lo, double hi);

// Round ticks inside fixed limits (min < max), which stay: the step that
// puts 4 to 8 intervals within them, nearest 6 and then the larger; the
// ends need not be ticks.
NiceTicks NiceTicksWithin(double min, double max);
