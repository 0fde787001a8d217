#include "fit/FitReports.h"

#include <cmath>
#include <span>

#include "platform/FormatText.h"
#include "platform/NumberText.h"

FitResult PolynomialFitResult(const TCalc& calc, std::span<const double> x,
                              std::span<const double> y, const std::vector<double>& weights) {
    FitResult result;
    const FittedPolynomial& polynomial = calc.Fit();
    std::vector<double> residuals(y.size());
    for (std::size_t i = 0; i < y.size(); ++i) residuals[i] = y[i] - polynomial(x[i]);
    FillFitStatistics(result, y, residuals, weights, polynomial.Degree + 1);
    const double scale = result.Weighted ? 1.0 : result.Sigma;
    for (int j = 0; j <= polynomial.Degree; ++j)
        result.Parameters.push_back({Concat("a", IntToStr(j)), calc.Coefficients()[std::size_t(j)],
                                     calc.CoefficientErrors()[std::size_t(j)] * scale});
    return result;
}

FitResult MeanFitResult(std::span<const double> y, const std::vector<double>& weights) {
    FitResult result;
    double sumW = 0, sumWy = 0;
    for (std::size_t i = 0; i < y.size(); ++i) {
        const double w = weights.empty() ? 1.0 : weights[i];
        sumW += w;
        sumWy += w * y[i];
    }
    const double mean = sumW > 0 ? sumWy / sumW : 0.0;
    std::vector<double> residuals(y.size());
    for (std::size_t i = 0; i < y.size(); ++i) residuals[i] = y[i] - mean;
    FillFitStatistics(result, y, residuals, weights, 1);
    // The variance of a mean: sigma^2 / n, or 1 / sum(w) weighted.
    const double error =
        result.Weighted ? 1 / std::sqrt(sumW) : result.Sigma / std::sqrt(double(y.size()));
    result.Parameters.push_back({"mean", mean, error});
    return result;
}
