#pragma once

#include <array>
#include <string>
#include <vector>

#include "plot/PlotNames.h"

// A least-squares polynomial, kept in the variable it was fitted in:
// t = (x - Centre) / Scale runs over -1 to 1 across the data, where the
// powers of t stay of one size and the fit keeps its digits whatever the
// offset of x (years, wavelengths, a detector's channel 1000 to 1010).
struct FittedPolynomial {
    static constexpr int kMaxDegree = 10;
    int Degree = 0;
    double Centre = 0.0;
    double Scale = 1.0;
    // InT[j] belongs to t to the power j.
    std::array<double, kMaxDegree + 1> InT{};

    double operator()(double x) const;
    // The coefficients of x to the powers 0 to Degree.
    std::array<double, kMaxDegree + 1> InX() const;
};

// The numeric work table: Col columns of Row doubles, with the three
// computations a graph needs on it: a least-squares polynomial, a natural
// cubic spline and the data range with rounded axis limits.
class TCalc {
  public:
    static constexpr int kMaxDegree = FittedPolynomial::kMaxDegree;
    // Linear ranges from this one up are rounded by scaling them to more
    // than 100; smaller ones directly to their power-of-ten unit.
    static constexpr double kSmallestScaledRange = 1e-3;
    static constexpr const char* kDegreeText = "次元は10次までです";
    static constexpr const char* kSameXText =
        "同じX値に二つ以上のY値が与えられています(スプライン補完)";
    static constexpr const char* kOverflowText = "浮動小数点演算でオーバーフローしました";

    TCalc();

    int Col() const { return col_; }
    int Row() const { return row_; }
    // Both discard every cell; a size below 1 becomes 1.
    void SetCol(int n);
    void SetRow(int n);
    void KeepData();
    void ReleaseData();

    AxisKind Type = AxisKind::Linear;
    double Max = 0.0;
    double Min = 0.0;
    double AboutMax = 0.0;
    double AboutMin = 0.0;

    double& Cell(int col, int row) { return data_[std::size_t(col) * row_ + row]; }
    double Cell(int col, int row) const { return data_[std::size_t(col) * row_ + row]; }
    double* Column(int col) { return data_.data() + std::size_t(col) * row_; }

    // x to the power j by multiplying 1 by x j times; 1 for j <= 0.
    static double Power(int j, double x);

    // How many distinct values xs[0 .. count - 1] hold, counted up to
    // `limit`.
    static int DistinctCount(const double* xs, int count, int limit);

    // Least-squares polynomial of degree n through (column 0, column 1),
    // each point weighted by weights[i] when given (1 / sigma^2).
    // Fewer distinct X values than n + 1 raise the division error.
    bool CalcMin2(int n, const double* weights = nullptr);
    // The standard errors of the coefficients of x^j, sqrt of the
    // diagonal of (V^T W V)^-1: unscaled by the residual variance.
    const std::array<double, kMaxDegree + 1>& CoefficientErrors() const { return errors_; }
    const FittedPolynomial& Fit() const { return fit_; }
    // c[j] belongs to x to the power j; entries above the degree keep what
    // an earlier fit left.
    const std::array<double, kMaxDegree + 1>& Coefficients() const { return coefficients_; }

    // Natural cubic spline through the points (column 0 ascending).
    bool CalcSpline();
    double SplineValue(double x) const;

    // Max and Min of all cells but missing ones (NaN), and the limits
    // rounded after Type. False, with Max and Min NaN, when no cell holds a
    // number.
    bool CalcMaxMin();

  private:
    void LinearRounding();
    // errors_ from the triangular factor R of the fit's QR (in `qr`, m
    // rows, column j at j * m).
    void CoefficientCovariance(const std::vector<double>& qr, int m, int p,
                               const FittedPolynomial& fit);
    void PowerRounding(bool base10);

    int col_ = 1;
    int row_ = 1;
    std::vector<double> data_;
    std::array<double, kMaxDegree + 1> coefficients_{};
    std::array<double, kMaxDegree + 1> errors_{};
    FittedPolynomial fit_;
    std::vector<double> splineB_, splineC_, splineD_;
};
