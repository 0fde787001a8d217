#include "fit/FitResult.h"

#include <cmath>
#include <limits>
#include <span>

void FillFitStatistics(FitResult& result, std::span<const double> y,
                       const std::vector<double>& residuals, const std::vector<double>& weights,
                       int parameterCount) {
    const std::size_t n = y.size();
    auto weight = [&](std::size_t i) { return weights.empty() ? 1.0 : weights[i]; };
    double sumW = 0, sumWy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        sumW += weight(i);
        sumWy += weight(i) * y[i];
    }
    const double mean = sumW > 0 ? sumWy / sumW : 0.0;
    double rss = 0, tss = 0;
    for (std::size_t i = 0; i < n; ++i) {
        rss += weight(i) * residuals[i] * residuals[i];
        tss += weight(i) * (y[i] - mean) * (y[i] - mean);
    }
    result.N = int(n);
    result.DOF = int(n) - parameterCount;
    result.RSS = rss;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    result.Sigma = result.DOF > 0 ? std::sqrt(rss / result.DOF) : nan;
    // A constant Y leaves nothing to explain: R2 is 1 when the model meets
    // it, NaN otherwise.
    result.R2 = tss > 0 ? 1 - rss / tss : (rss == 0 ? 1.0 : nan);
    result.Weighted = !weights.empty();
    result.ReducedChi2 = result.Weighted && result.DOF > 0 ? rss / result.DOF : nan;
}
