#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/Picture.h"

// The dash patterns of the classic pens, in pixels counted along a line's
// major axis: a dash, a gap, and so on. The pattern goes on from one line
// to the next of a run (a move and its lines) and starts again at a move
// or a new pen.
struct DashPattern {
    std::uint8_t lengths[6];
    int count;
    int period;
};

// The pattern of a dashed pen style; none for solid, clear and
// inside-frame pens.
inline const DashPattern* DashPatternOf(PenStyle style) {
    static constexpr DashPattern kDash{{18, 6}, 2, 24};
    static constexpr DashPattern kDot{{3, 3}, 2, 6};
    static constexpr DashPattern kDashDot{{9, 6, 3, 6}, 4, 24};
    static constexpr DashPattern kDashDotDot{{9, 3, 3, 3, 3, 3}, 6, 24};
    switch (style) {
        case PenStyle::psDash:
            return &kDash;
        case PenStyle::psDot:
            return &kDot;
        case PenStyle::psDashDot:
            return &kDashDot;
        case PenStyle::psDashDotDot:
            return &kDashDotDot;
        default:
            return nullptr;
    }
}

// Calls dash(first, end) for each stretch of steps first .. end - 1 of a
// line of `steps` steps that lies on a dash, the pattern standing at
// `phase` at step 0. Returns the phase after the line.
template <typename Dash>
int ForEachDash(const DashPattern& pattern, int phase, std::int64_t steps, Dash&& dash) {
    // Where in the pattern the line starts: entry i, `into` steps into it.
    int i = 0, into = phase % pattern.period;
    while (into >= pattern.lengths[i]) into -= pattern.lengths[i++];
    for (std::int64_t k = 0; k < steps;) {
        const std::int64_t end = std::min<std::int64_t>(steps, k + pattern.lengths[i] - into);
        if (i % 2 == 0) dash(k, end);
        k = end;
        into = 0;
        i = (i + 1) % pattern.count;
    }
    return int((phase + steps % pattern.period) % pattern.period);
}
