#include "fit/FitModels.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fit/NonlinearFit.h"

namespace {

// Each ready model on points it generates itself (with a little
// alternating noise): the guess starts a fit that finds the parameters.
TEST(FitModels, GuessesLeadToTheGeneratingParameters) {
    const struct {
        const char* caption;
        std::vector<double> truth;
        double from, to;
    } cases[] = {
        {"直線", {-2.5, 40}, -10, 10},       {"指数減衰", {8, 3.5, 1.25}, 0, 20},
        {"ガウス", {2.5, 450, 4}, 430, 470}, {"ローレンツ", {-1.5, 12, 0.8}, 5, 20},  // a dip
        {"べき乗", {0.77, 3.86}, 1, 2},      {"飽和", {120, 0.04}, 0, 100},
    };
    ASSERT_EQ(FitModels().size(), std::size(cases));
    for (std::size_t m = 0; m < std::size(cases); ++m) {
        const FitModel& model = FitModels()[m];
        EXPECT_STREQ(model.Caption, cases[m].caption);
        EXPECT_EQ(FindFitModel(std::string(" ") + model.Formula + " "), &model);
        FitFormula formula;
        std::string reason;
        ASSERT_TRUE(formula.Parse(model.Formula, reason)) << reason;
        std::vector<double> x, y;
        for (int i = 0; i < 41; ++i) {
            x.push_back(cases[m].from + (cases[m].to - cases[m].from) * i / 40);
            y.push_back(formula(x.back(), cases[m].truth.data()) * (1 + (i % 2 ? 1e-4 : -1e-4)));
        }
        const std::vector<double> guess = model.Guess(x, y);
        ASSERT_EQ(guess.size(), cases[m].truth.size()) << model.Caption;
        const NonlinearFit fit = FitFormulaToPoints(formula, x, y, {}, guess);
        ASSERT_EQ(fit.Result, NonlinearFit::Outcome::Fitted) << model.Caption;
        for (std::size_t k = 0; k < guess.size(); ++k)
            EXPECT_NEAR(fit.Fit.Parameters[k].Value, cases[m].truth[k],
                        1e-3 * std::fabs(cases[m].truth[k]))
                << model.Caption << " " << fit.Fit.Parameters[k].Name << " from " << guess[k];
    }
    EXPECT_EQ(FindFitModel("a*x+c"), nullptr);
}

}  // namespace
