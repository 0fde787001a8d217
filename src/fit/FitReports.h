#pragma once

#include <span>
#include <vector>

#include "fit/FitResult.h"
#include "plot/TCalc.h"

// What the polynomial `calc` fitted last through (x, y) found, with the
// coefficients a0 ... an of x^k; `weights` empty unless it was weighted.
FitResult PolynomialFitResult(const TCalc& calc, std::span<const double> x,
                              std::span<const double> y, const std::vector<double>& weights);

// The (weighted) mean of y as a fit of one parameter, "mean".
FitResult MeanFitResult(std::span<const double> y, const std::vector<double>& weights);
