#pragma once

#include <deque>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace mu {
class Parser;
}

// A model y = f(x) read from a formula: `x` is the variable, every other
// name that is not a function or constant is a parameter, in the order
// the formula first names them. Formulas are muparser's: + - * / ^,
// comparisons, ?:, sin cos tan asin acos atan sinh cosh tanh asinh acosh
// atanh log2 log10 log ln exp sqrt sign rint abs min max sum avg, _pi, _e.
class FitFormula {
  public:
    // False, with the reason in muparser's words, for a formula that does
    // not parse.
    bool Parse(const std::string& text, std::string& reason);
    const std::string& Text() const { return text_; }
    const std::vector<std::string>& Parameters() const { return names_; }
    // f(x) with the parameters in the order of Parameters(); NaN where the
    // formula has no value.
    double operator()(double x, const double* parameters) const;
    // f at every x at once, into `values` (resized): from kBulkPoints on in
    // muparser's bulk mode, which spreads the points over the cores.
    static constexpr std::size_t kBulkPoints = 20000;
    void Values(std::span<const double> x, const double* parameters,
                std::vector<double>& values) const;

    FitFormula();
    ~FitFormula();
    FitFormula(FitFormula&&) noexcept;
    FitFormula& operator=(FitFormula&&) noexcept;

  private:
    static double* NewParameter(const char* name, void* self);

    std::string text_;
    std::unique_ptr<mu::Parser> parser_;
    // Addresses the parser holds: a deque keeps them in place as it grows.
    // An evaluation sets them.
    mutable std::deque<double> values_;
    std::vector<std::string> names_;
    mutable double x_ = 0.0;
    // The bulk parser reads x and each parameter from arrays of the points'
    // number.
    mutable std::unique_ptr<mu::Parser> bulk_;
    mutable std::vector<double> bulkX_;
    mutable std::vector<std::vector<double>> bulkParameters_;
};

// Start values "b1=1.5;b2=5" as the value for each of `names` (1 where
// the text names none). False, with the item that could not be read, for
// an item that is not name=number or a name that is not a parameter.
bool ParseStartValues(const std::string& text, const std::vector<std::string>& names,
                      std::vector<double>& values, std::string& badItem);

// The start values as text: "b1=1.5;b2=5", to `digits` significant
// digits (at most 15).
std::string StartValuesText(const std::vector<std::string>& names,
                            const std::vector<double>& values, int digits = 15);
