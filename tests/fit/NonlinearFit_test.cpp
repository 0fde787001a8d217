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

}  // namespace
