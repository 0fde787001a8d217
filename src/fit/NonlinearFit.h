#pragma once

#include <span>
#include <string>
#include <vector>

#include "fit/FitFormula.h"
#include "fit/FitResult.h"

// Nonlinear least squares of a formula through points: GSL's trust
// region with Levenberg-Marquardt and geodesic acceleration, the Jacobian
// by central differences.
struct NonlinearFit {
    static constexpr int kMaxIterations = 500;
    enum class Outcome { Fitted, TooFewPoints, NotConverged, Singular, NoValue };
    Outcome Result = Outcome::Fitted;
    // Parameters (with their standard errors) and statistics; on success.
    FitResult Fit;
    int Iterations = 0;
};

// Fits `model` through (x, y) from `start` (one per parameter); `weights`
// empty for an unweighted fit, else 1 / sigma^2 for each point.
NonlinearFit FitFormulaToPoints(const FitFormula& model, std::span<const double> x,
                                std::span<const double> y, const std::vector<double>& weights,
                                const std::vector<double>& start);
