#include "plot/ErrorBars.h"

#include <cmath>

namespace {

// A usable extent: a number, not negative.
bool Extent(const PointColumn& side, std::size_t i, double& e) {
    if (i >= side.size()) return false;
    e = side[i];
    return std::isfinite(e) && e >= 0;
}

}  // namespace

bool ErrorExtents::Low(std::size_t i, double v, double& end) const {
    double e = 0;
    if (!Extent(Minus, i, e)) return false;
    end = v - e;
    return true;
}

bool ErrorExtents::High(std::size_t i, double v, double& end) const {
    double e = 0;
    if (!Extent(Plus, i, e)) return false;
    end = v + e;
    return true;
}

void WidenByErrors(double& min, double& max, std::span<const double> values,
                   std::span<const double> partners, const ErrorExtents& errors, bool log) {
    if (errors.Empty()) return;
    for (std::size_t i = 0; i < values.size() && i < partners.size(); ++i) {
        const double v = values[i];
        if (std::isnan(v) || std::isnan(partners[i])) continue;
        double end = 0;
        if (errors.High(i, v, end) && std::isfinite(end) && !(end <= max)) max = end;
        if (errors.Low(i, v, end) && std::isfinite(end) && !(log && end <= 0) && !(end >= min))
            min = end;
    }
}
