#include "fit/NonlinearFit.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fit/NistData.h"

namespace {

// Agreement to `digits` significant digits: the relative difference below
// 10^-digits (an absolute one for a certified 0).
void ExpectDigits(double actual, double certified, int digits, const std::string& what) {
    const double tolerance =
        std::pow(10.0, -digits) * (certified == 0 ? 1.0 : std::fabs(certified));
    EXPECT_NEAR(actual, certified, tolerance) << what;
}

TEST(NonlinearFit, CertifiedResultsFromBothStarts) {
    for (const NistProblem& problem : NonlinearProblems())
        for (const char* start : {problem.Start1, problem.Start2}) {
            if (*start == 0) continue;
            const std::string what = std::string(problem.Name) + " from " + start;
            FitFormula model;
            std::string reason;
            ASSERT_TRUE(model.Parse(problem.Formula, reason)) << reason;
            std::vector<double> b0;
            std::string bad;
            ASSERT_TRUE(ParseStartValues(start, model.Parameters(), b0, bad)) << bad;
            const NonlinearFit fit = FitFormulaToPoints(model, problem.X, problem.Y, {}, b0);
            ASSERT_EQ(fit.Result, NonlinearFit::Outcome::Fitted) << what;
            ASSERT_EQ(fit.Fit.Parameters.size(), problem.Certified.size()) << what;
            for (std::size_t k = 0; k < problem.Certified.size(); ++k) {
                ExpectDigits(fit.Fit.Parameters[k].Value, problem.Certified[k].Value, 6, what);
                ExpectDigits(fit.Fit.Parameters[k].StandardError,
                             problem.Certified[k].StandardError, 6, what + " error");
            }
            ExpectDigits(fit.Fit.RSS, problem.RSS, 8, what + " RSS");
            EXPECT_EQ(fit.Fit.N, int(problem.X.size()));
            EXPECT_EQ(fit.Fit.DOF, int(problem.X.size() - problem.Certified.size()));
        }
}

NonlinearFit Fit(const char* formula, const std::vector<double>& x, const std::vector<double>& y,
                 const char* start) {
    FitFormula model;
    std::string reason;
    EXPECT_TRUE(model.Parse(formula, reason)) << reason;
    std::vector<double> b0;
    EXPECT_TRUE(ParseStartValues(start, model.Parameters(), b0, reason)) << reason;
    return FitFormulaToPoints(model, x, y, {}, b0);
}

// A fit that cannot be made says why, and gives no parameters; one that
// starts at an exact solution keeps it, with zero residual.
TEST(NonlinearFit, OutcomesOtherThanAFit) {
    const NistProblem mgh10 = NonlinearProblems().back();
    const std::vector<double> x{1, 2, 3, 4}, line{3, 5, 7, 9};
    using enum NonlinearFit::Outcome;
    const struct {
        NonlinearFit fit;
        NonlinearFit::Outcome outcome;
    } cases[] = {
        {Fit(mgh10.Formula, mgh10.X, mgh10.Y, kMgh10Start1), NotConverged},
        {Fit("a*b*x", x, line, ""), Singular},             // only the product a*b is determined
        {Fit("a*a*x+b*b", x, line, "a=0;b=0"), Singular},  // the Jacobian vanishes there
        {Fit("x/(a-1)", x, line, ""), NoValue},            // a division by 0 at the start
        {Fit("a*x^3+b*x^2+c*x+d+e", x, line, ""), TooFewPoints},
        {Fit("a*x+b", x, line, "a=2;b=1"), Fitted},
        {Fit("a*x+b", x, line, "a=-40;b=1e3"), Fitted},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.fit.Result, c.outcome) << c.fit.Fit.Formula;
        EXPECT_EQ(c.fit.Fit.Parameters.empty(), c.outcome != Fitted) << c.fit.Fit.Formula;
    }
    const FitResult& exact = cases[5].fit.Fit;
    EXPECT_EQ(exact.RSS, 0);
    EXPECT_EQ(exact.Parameters[0].Value, 2);
    EXPECT_NEAR(cases[6].fit.Fit.Parameters[1].Value, 1, 1e-12);
    EXPECT_NEAR(cases[6].fit.Fit.RSS, 0, 1e-20);
}

}  // namespace
