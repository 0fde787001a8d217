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

// The largest k with k x m x 10^e at most x, and the smallest with it at
// least x: the division's guess, kept whole where it lands one off.
double FloorMultiple(double x, double m, int e) {
    double k = std::floor(x / Multiple(1, m, e));
    while (Multiple(k, m, e) > x) k -= 1;
    while (Multiple(k + 1, m, e) <= x) k += 1;
    return k;
}
double CeilMultiple(double x, double m, int e) {
    double k = std::ceil(x / Multiple(1, m, e));
    while (Multiple(k, m, e) < x) k += 1;
    while (Multiple(k - 1, m, e) >= x) k -= 1;
    return k;
}

// Calls f(m, e) for each round step m x 10^e near a tenth of the span
// that multiples near lo and hi can show.
template <typename F>
void ForEachRoundStep(double lo, double hi, F&& f) {
    const int top = int(std::floor(std::log10(hi - lo)));
    for (int e = top - 2; e <= top + 1; ++e)
        for (double m : {1.0, 2.0, 2.5, 5.0})
            if (TicksTellApart(lo, hi, Multiple(1, m, e))) f(m, e);
}

// Between two counts of intervals: the one nearer 6, then the larger step.
bool NearerSix(int intervals, double step, const NiceTicks& than) {
    const int distance = std::abs(intervals - 6), other = std::abs(than.Intervals - 6);
    return distance < other || (distance == other && step > than.Step);
}

NiceTicks Plan(double min, double max, double a, double b, double m, int e) {
    const int intervals = int(b - a);
    const double first = Multiple(a, m, e);
    return {min, max, Multiple(1, m, e), intervals, m == 2.0 ? 4 : 5, first, intervals + 1};
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
    bool found = false;
    double bestEmpty = 0;
    ForEachRoundStep(lo, hi, [&](double m, int e) {
        const double a = FloorMultiple(lo, m, e), b = CeilMultiple(hi, m, e);
        const int intervals = int(b - a);
        if (intervals < 4 || intervals > 8) return;
        const double min = Multiple(a, m, e), max = Multiple(b, m, e);
        const double empty = (max - min) - span;
        const double tolerance = 1e-12 * span;
        const bool better = !found || empty < bestEmpty - tolerance ||
                            (std::fabs(empty - bestEmpty) <= tolerance &&
                             NearerSix(intervals, Multiple(1, m, e), best));
        if (!better) return;
        found = true;
        bestEmpty = empty;
        best = Plan(min, max, a, b, m, e);
    });
    return best;
}

NiceTicks NiceTicksWithin(double min, double max) {
    const double span = max - min;
    NiceTicks best{min, max, span, 1, 5, min, 2};
    if (!std::isfinite(span) || !(span > 0)) return best;
    bool found = false;
    ForEachRoundStep(min, max, [&](double m, int e) {
        const double a = CeilMultiple(min, m, e), b = FloorMultiple(max, m, e);
        const int intervals = int(b - a);
        if (intervals < 4 || intervals > 8) return;
        if (found && !NearerSix(intervals, Multiple(1, m, e), best)) return;
        found = true;
        best = Plan(min, max, a, b, m, e);
    });
    return best;
}
