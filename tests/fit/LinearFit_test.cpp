#include <gtest/gtest.h>

#include <cmath>

#include "fit/FitReports.h"
#include "fit/NistData.h"

namespace {

FitResult Polynomial(const std::vector<double>& x, const std::vector<double>& y, int degree,
                     const std::vector<double>& weights = {}) {
    TCalc calc;
    calc.SetRow(int(x.size()));
    calc.SetCol(2);
    std::copy(x.begin(), x.end(), calc.Column(0));
    std::copy(y.begin(), y.end(), calc.Column(1));
    EXPECT_TRUE(calc.CalcMin2(degree, weights.empty() ? nullptr : weights.data()));
    return PolynomialFitResult(calc, x, y, weights);
}

// Parameters and standard errors to 6 significant digits, the residual
// sum of squares to 8; where the certified value is 0 (an exact fit),
// zero to the data's rounding.
TEST(LinearFit, CertifiedResults) {
    for (const NistProblem& problem : {Filip(), Pontius(), Wampler(1), Wampler(4)}) {
        const FitResult fit = Polynomial(problem.X, problem.Y, problem.Degree);
        ASSERT_EQ(fit.Parameters.size(), problem.Certified.size()) << problem.Name;
        for (std::size_t k = 0; k < problem.Certified.size(); ++k) {
            const CertifiedParameter& c = problem.Certified[k];
            EXPECT_NEAR(fit.Parameters[k].Value, c.Value, 1e-6 * std::fabs(c.Value))
                << problem.Name << " a" << k;
            EXPECT_NEAR(fit.Parameters[k].StandardError, c.StandardError,
                        c.StandardError == 0 ? 1e-6 : 1e-6 * c.StandardError)
                << problem.Name << " error of a" << k;
        }
        EXPECT_NEAR(fit.RSS, problem.RSS, problem.RSS == 0 ? 1e-12 : 1e-8 * problem.RSS)
            << problem.Name;
        EXPECT_EQ(fit.DOF, int(problem.X.size() - problem.Certified.size())) << problem.Name;
    }
}

TEST(LinearFit, ExactLineHasZeroResidualAndR2One) {
    const FitResult fit = Polynomial({1, 2, 3, 4}, {3, 5, 7, 9}, 1);
    EXPECT_DOUBLE_EQ(fit.Parameters[0].Value, 1);
    EXPECT_DOUBLE_EQ(fit.Parameters[1].Value, 2);
    EXPECT_NEAR(fit.RSS, 0, 1e-28);
    EXPECT_NEAR(fit.R2, 1, 1e-15);
}

// Weighted by 1 / sigma^2: the errors are (V^T W V)^-1, unscaled; chi^2
// is the weighted sum. Two points weighted 4 and 1 through a constant.
TEST(LinearFit, WeightsGiveUnscaledErrorsAndChiSquare) {
    const FitResult fit = Polynomial({0, 1}, {1, 2}, 0, {4, 1});
    EXPECT_DOUBLE_EQ(fit.Parameters[0].Value, 1.2);  // (4*1 + 1*2) / 5
    EXPECT_DOUBLE_EQ(fit.Parameters[0].StandardError, 1 / std::sqrt(5.0));
    EXPECT_DOUBLE_EQ(fit.RSS, 4 * 0.04 + 0.64);
    EXPECT_DOUBLE_EQ(fit.ReducedChi2, fit.RSS);
    const FitResult mean = MeanFitResult(std::vector<double>{1, 2}, {4, 1});
    EXPECT_DOUBLE_EQ(mean.Parameters[0].Value, 1.2);
    EXPECT_DOUBLE_EQ(mean.Parameters[0].StandardError, 1 / std::sqrt(5.0));
}

}  // namespace
