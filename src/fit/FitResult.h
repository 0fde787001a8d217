#pragma once

#include <span>
#include <string>
#include <vector>

#include "plot/PlotNames.h"

// One fitted parameter: its name in the model and its value with the
// standard error from the covariance at the solution.
struct FitParameter {
    std::string Name;
    double Value = 0.0;
    double StandardError = 0.0;
};

// What a fitted curve of a drawing found: the parameters, and how well the
// model meets the points. Unweighted, the standard errors are scaled by
// the residual variance RSS / DOF; weighted by 1 / sigma^2 they are not,
// and RSS is chi^2.
struct FitResult {
    std::string Series;
    CurveMethod Curve = CurveMethod::None;
    // The model as the user wrote it; empty for the polynomial and the mean.
    std::string Formula;
    std::vector<FitParameter> Parameters;
    int N = 0;
    int DOF = 0;
    double RSS = 0.0;
    // The residual standard deviation sqrt(RSS / DOF); NaN without degrees
    // of freedom.
    double Sigma = 0.0;
    double R2 = 0.0;
    bool Weighted = false;
    // chi^2 / DOF, when weighted.
    double ReducedChi2 = 0.0;
};

// The statistics of residuals r_i = y_i - model(x_i) with weights w_i (all
// 1 unweighted), for p parameters: N, DOF, RSS, Sigma, R2, ReducedChi2.
void FillFitStatistics(FitResult& result, std::span<const double> y,
                       const std::vector<double>& residuals, const std::vector<double>& weights,
                       int parameterCount);
