#pragma once

#include <string>
#include <vector>

#include "fit/FitResult.h"

// A value with its standard error in the concise form: the error to one
// significant digit (two when they start with 1), the value to the same
// place, "5.03(4)", "0.503(12)", "1.234(6)E+05". Without a usable error
// (0 or not finite), the value to 3 significant digits.
std::string ValueWithError(double value, double error);

// The fitted equation in label markup, its values in the concise form:
// "y = 5.03(4)·exp(-x/2.53(6)) + 0.50(3)", "y = 1.2(1) + 3.00(2)·x^2@".
std::string FittedEquation(const FitResult& fit);

// The report file: a header, then one row per parameter and one each for
// N, DOF, RSS, SIGMA, R2 (and CHI2, the reduced chi^2, when weighted), tab
// separated, values with 15 significant digits.
inline constexpr const char* kFitReportHeader =
    "file\tseries\tcurve\tparameter\tvalue\tstandard_error\n";
std::string FitReportRows(const std::string& file, const std::vector<FitResult>& fits);

// The report as the fit-result window shows it and copies it: per fit its
// series, curve and formula, a table of the parameters, the statistics.
std::string FitReportText(const std::vector<FitResult>& fits);
