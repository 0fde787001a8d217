#include "fit/FitText.h"

#include <gtest/gtest.h>

namespace {

TEST(FitText, ValueWithError) {
    const struct {
        double value, error;
        const char* text;
    } cases[] = {
        {5.0312, 0.04, "5.03(4)"},
        {2.5314, 0.061, "2.53(6)"},
        {0.5012, 0.031, "0.50(3)"},
        {0.50312, 0.0123, "0.503(12)"},  // two digits for an error starting with 1
        {-1.06221498588947, 0.221624321934227, "-1.1(2)"},
        {123456.0, 6.2, "123456(6)"},
        {1234567.0, 6200.0, "1.235(6)E+6"},
        {2.3894e-4, 7.27e-6, "0.000239(7)"},
        {2.3894e-6, 7.27e-8, "2.39(7)E-6"},
        {699.64, 16.3, "700(16)"},
        {1450.0, 320.0, "1450(300)"},  // an error wider than the last digit shown
        {1.0, 0.0, "1"},               // exact: 3 significant digits
        {3.14159, 0.0, "3.14"},
    };
    for (const auto& c : cases) EXPECT_EQ(ValueWithError(c.value, c.error), c.text) << c.value;
}

TEST(FitText, Equations) {
    FitResult decay;
    decay.Formula = "a*exp(-x/t)+c";
    decay.Parameters = {{"a", 5.0312, 0.04}, {"t", 2.5314, 0.061}, {"c", 0.5012, 0.031}};
    EXPECT_EQ(FittedEquation(decay), "y = 5.03(4)·exp(-x/2.53(6)) + 0.50(3)");
    FitResult line;
    line.Formula = "a*x+b";
    line.Parameters = {{"a", -2, 0.1}, {"b", -0.5, 0.02}};
    EXPECT_EQ(FittedEquation(line), "y = -2.00(10)·x - 0.50(2)");
    FitResult power;
    power.Formula = "a*x^b";
    power.Parameters = {{"a", 0.769, 0.018}, {"b", 3.86, 0.05}};
    EXPECT_EQ(FittedEquation(power), "y = 0.769(18)·x^3.86(5)@");
    FitResult gauss;
    gauss.Formula = "a*exp(-0.5*((x-m)/s)^2)+c";
    gauss.Parameters = {
        {"a", 2.574, 0.054}, {"m", 449.968, 0.075}, {"s", 4.1017, 0.075}, {"c", 0.0988, 0.0119}};
    EXPECT_EQ(FittedEquation(gauss),
              "y = 2.57(5)·exp(-0.5·((x - 449.97(8))/4.10(8))^2@) + 0.099(12)");
    FitResult powers;
    powers.Formula = "x^-n + x^k";
    powers.Parameters = {{"n", 1234567, 6200}, {"k", 2.5, 0}};
    EXPECT_EQ(FittedEquation(powers), "y = x^-1.235(6)E+6@ + x^2.5@");
    FitResult polynomial;
    polynomial.Parameters = {{"a0", 1.2, 0.1}, {"a1", -3, 0.02}, {"a2", 0.5, 0.01}};
    EXPECT_EQ(FittedEquation(polynomial), "y = 1.20(10) - 3.00(2)·x + 0.500(10)·x^2@");
}

TEST(FitText, ReportRows) {
    FitResult fit;
    fit.Series = "sample";
    fit.Curve = CurveMethod::Formula;
    fit.Parameters = {{"b1", 238.942129177565, 2.70700752405563}};
    fit.N = 14;
    fit.DOF = 13;
    fit.RSS = 0.12455138894;
    fit.Sigma = 0.1;
    fit.R2 = 0.99;
    fit.Weighted = true;
    fit.ReducedChi2 = 1.5;
    EXPECT_EQ(FitReportRows("a.dat", {fit}),
              "a.dat\tsample\t式\tb1\t238.942129177565\t2.70700752405563\n"
              "a.dat\tsample\t式\tN\t14\t\n"
              "a.dat\tsample\t式\tDOF\t13\t\n"
              "a.dat\tsample\t式\tRSS\t0.12455138894\t\n"
              "a.dat\tsample\t式\tSIGMA\t0.1\t\n"
              "a.dat\tsample\t式\tR2\t0.99\t\n"
              "a.dat\tsample\t式\tCHI2\t1.5\t\n");
}

}  // namespace
