#include "plot/NiceTicks.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>

namespace {

// k x m x 10^e, with a division for negative powers, so that 3 x 10^-1 is
// the double nearest 0.3.
double Multiple(double k, double m, int e) {
    return e >= 0 ? k * m * std::pow(10.0, e) : k * m / std::pow(10.0, -e);
}

// Whether multiples of `step` near lo and hi are told apart by a double,
// and the step itself is one: far from 0 a small step is lost.
bool TicksTellApart(double lo, double hi, double step) {
    return step > 0 && std::isfinite(step) && std::fabs(lo) / step < 1e15 &&
           std::fabs(hi) / step < 1e15;
}

}  // namespace

NiceTicks NiceTicksFor(double lo, double hi) {
    if (!(hi > lo)) {
        // One value: a unit of its own size around it.
        const double unit = lo == 0 ? 1 : std::pow(10.0, std::floor(std::log10(std::fabs(lo))));
        lo -= unit;
        hi += unit;
    }
    const double span = hi - lo;
    NiceTicks best{lo, hi, span, 1, 5, lo, 2};
    if (!std::isfinite(span) || !(span > 0)) return best;
    const int top = int(std::floor(std::log10(span)));
    bool found = false;
    double bestEmpty = 0;
    for (int e = top - 2; e <= top + 1; ++e) {
        for (double m : {1.0, 2.0, 2.5, 5.0}) {
            const double step = Multiple(1, m, e);
            if (!TicksTellApart(lo, hi, step)) continue;
            const double first = std::floor(lo / step * (1 + 1e-12) + 1e-9);
            const double last = std::ceil(hi / step * (1 - 1e-12) - 1e-9);
            // Keep the multiples whole: floor and ceil may land one off.
            double a = first, b = last;
            while (Multiple(a, m, e) > lo) a -= 1;
            while (Multiple(a + 1, m, e) <= lo) a += 1;
            while (Multiple(b, m, e) < hi) b += 1;
            while (Multiple(b - 1, m, e) >= hi) b -= 1;
            const int intervals = int(b - a);
            if (intervals < 4 || intervals > 8) continue;
            const double min = Multiple(a, m, e), max = Multiple(b, m, e);
            const double empty = (max - min) - span;
            const bool better =
                !found || empty < bestEmpty - 1e-12 * span ||
                (std::fabs(empty - bestEmpty) <= 1e-12 * span &&
                 (std::abs(intervals - 6) < std::abs(best.Intervals - 6) ||
                  (std::abs(intervals - 6) == std::abs(best.Intervals - 6) && step > best.Step)));
            if (!better) continue;
            found = true;
            bestEmpty = empty;
            best = {min, max, step, intervals, m == 2.0 ? 4 : 5, min, intervals + 1};
        }
    }
    return best;
}

NiceTicks NiceTicksWithin(double min, double max) {
    const double span = max - min;
    NiceTicks best{min, max, span, 1, 5, min, 2};
    if (!std::isfinite(span) || !(span > 0)) return best;
    const int top = int(std::floor(std::log10(span)));
    bool found = false;
    for (int e = top - 2; e <= top + 1; ++e) {
        for (double m : {1.0, 2.0, 2.5, 5.0}) {
            const double step = Multiple(1, m, e);
            if (!TicksTellApart(min, max, step)) continue;
            double a = std::ceil(min / step);
            while (Multiple(a - 1, m, e) >= min) a -= 1;
            while (Multiple(a, m, e) < min) a += 1;
            double b = std::floor(max / step);
            while (Multiple(b + 1, m, e) <= max) b += 1;
            while (Multiple(b, m, e) > max) b -= 1;
            const int intervals = int(b - a);
            if (intervals < 4 || intervals > 8) continue;
            const int distance = std::abs(intervals - 6),
                      bestDistance = std::abs(best.Intervals - 6);
            if (found &&
                (distance > bestDistance || (distance == bestDistance && step < best.Step)))
                continue;
            found = true;
            best.Step = step;
            best.Intervals = intervals;
            best.Minors = m == 2.0 ? 4 : 5;
            best.First = Multiple(a, m, e);
            best.Majors = intervals + 1;
        }
    }
    return best;
}
