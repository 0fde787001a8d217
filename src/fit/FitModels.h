#pragma once

#include <span>
#include <string>
#include <vector>

// A ready model of the plot settings dialog: its caption, its formula, and
// start values guessed from the points.
struct FitModel {
    const char* Caption;
    const char* Formula;
    // One start value per parameter, in the formula's order.
    std::vector<double> (*Guess)(std::span<const double> x, std::span<const double> y);
};

std::span<const FitModel> FitModels();

// The ready model whose formula is `formula` (blanks aside); null for
// any other.
const FitModel* FindFitModel(const std::string& formula);
