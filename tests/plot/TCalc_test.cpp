#include "plot/TCalc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/MessageSink.h"
#include "platform/RaisedError.h"
#include "plot/PlotNames.h"

namespace {

void Fill(TCalc& calc, const std::vector<double>& x, const std::vector<double>& y) {
    calc.SetRow(int(x.size()));
    calc.SetCol(2);
    for (std::size_t i = 0; i < x.size(); ++i) {
        calc.Cell(0, int(i)) = x[i];
        calc.Cell(1, int(i)) = y[i];
    }
}

TEST(CalcMaxMin, LinearRounding) {
    struct Case {
        double max, min, aboutMin, aboutMax;
    } cases[] = {
        {57, 7, 0, 60},
        {170, 20, 0, 200},
        {100, 0, 0, 100},
        {100.5, 0, 0, 200},
        {9, 0, 0, 9},
        {5, 5, 4, 6},
        {-3, -57, -60, 0},
        {1234, -56, -1000, 2000},
        {0.57, 0.07, 0, 0.6},
        {1.25, 1.2, 1.2, 1.25},
        // Decimal limits are the doubles nearest to them.
        {100.3, 100.1, 100.1, 100.3},
        {5.02, 5.0, 5.0, 5.02},
        {0.002, 0.001, 0.001, 0.002},
        // Ranges below 1e-3: the unit that the range spans 1 to 10 times.
        {7e-7, 4e-7, 4e-7, 7e-7},
        {3.5e-4, 1.2e-4, 1e-4, 4e-4},
        {5.0002, 5.0001, 5.0001, 5.0002},
        {1.5e-12, 1.2e-12, 1.2e-12, 1.5e-12},
        {-2.2e-9, -9.1e-9, -1e-8, -2e-9},
        // Subnormal values: the power of ten that scales them is beyond
        // the doubles, and was infinite. Their few digits put 1e-310 a
        // little below one unit.
        {4e-310, 1e-310, 0, 4e-310},
        // Rounding in double precision left these limits inside the data.
        {65011497741461.586, 65011497741461.51, 65011497741461.51, 65011497741461.59},
        {4184950807888296.0, 4184950807888286.5, 4184950807888286, 4184950807888296},
    };
    for (const Case& c : cases) {
        TCalc calc;
        calc.Type = AxisKind::Linear;
        calc.SetRow(2);
        calc.Cell(0, 0) = c.min;
        calc.Cell(0, 1) = c.max;
        ASSERT_TRUE(calc.CalcMaxMin());
        EXPECT_EQ(calc.Max, c.max);
        EXPECT_EQ(calc.Min, c.min);
        EXPECT_DOUBLE_EQ(calc.AboutMin, c.aboutMin) << c.max << " " << c.min;
        EXPECT_DOUBLE_EQ(calc.AboutMax, c.aboutMax) << c.max << " " << c.min;
        EXPECT_LE(calc.AboutMin, c.min) << c.max << " " << c.min;
        EXPECT_GE(calc.AboutMax, c.max) << c.max << " " << c.min;
    }
}

// Small ranges at any offset: the limits hold the data and are a few units
// of the range apart, not tens to thousands of ranges.
TEST(CalcMaxMin, SmallRangesGetTheirOwnUnit) {
    for (double range = 1e-4; range > 1e-13; range /= 7.3) {
        for (double offset : {0.0, 3e-3, 1.0, -250.0}) {
            const double lo = offset + range * 0.37, hi = lo + range;
            if (hi - lo < range * 0.5) continue;  // the offset swallows the range
            TCalc calc;
            calc.SetRow(2);
            calc.Cell(0, 0) = lo;
            calc.Cell(0, 1) = hi;
            ASSERT_TRUE(calc.CalcMaxMin());
            EXPECT_LE(calc.AboutMin, lo) << range << " at " << offset;
            EXPECT_GE(calc.AboutMax, hi) << range << " at " << offset;
            EXPECT_LE(calc.AboutMax - calc.AboutMin, 3 * (hi - lo)) << range << " at " << offset;
        }
    }
}

TEST(CalcMaxMin, PowerRounding) {
    struct Case {
        AxisKind type;
        double max, min, aboutMin, aboutMax;
    } cases[] = {
        {AxisKind::Log10, 350, 2, 1, 1000},
        {AxisKind::Log10, 5, 2, 1, 10},
        {AxisKind::Log10, 1, 1, 0.1, 10},
        {AxisKind::Log10, 0.5, 0.02, 0.01, 1},
        {AxisKind::Ln, 5, 2, std::exp(0.0), std::exp(2.0)},
        {AxisKind::Ln, 1, 1, std::exp(-1.0), std::exp(1.0)},
    };
    for (const Case& c : cases) {
        TCalc calc;
        calc.Type = c.type;
        calc.SetCol(2);
        calc.Cell(0, 0) = c.max;
        calc.Cell(1, 0) = c.min;
        ASSERT_TRUE(calc.CalcMaxMin());
        EXPECT_DOUBLE_EQ(calc.AboutMin, c.aboutMin) << c.max << " " << c.min;
        EXPECT_DOUBLE_EQ(calc.AboutMax, c.aboutMax) << c.max << " " << c.min;
    }
}

TEST(CalcMaxMin, LogarithmicTypeRefusesValuesAtOrBelowZero) {
    TCalc calc;
    calc.Type = AxisKind::Log10;
    calc.AboutMax = 7;
    calc.AboutMin = 3;
    calc.SetRow(3);
    calc.Cell(0, 0) = 5;
    calc.Cell(0, 1) = 0;
    calc.Cell(0, 2) = 9;
    EXPECT_FALSE(calc.CalcMaxMin());
    EXPECT_EQ(calc.Min, 0);
    EXPECT_EQ(calc.Max, 9);
    EXPECT_EQ(calc.AboutMax, 7);
    EXPECT_EQ(calc.AboutMin, 3);
}

TEST(CalcMaxMin, ARangeBeyondTheDoublesEndsWithTheExtremes) {
    TCalc calc;
    calc.SetRow(2);
    calc.Cell(0, 0) = -1e308;
    calc.Cell(0, 1) = 1e308;
    ASSERT_TRUE(calc.CalcMaxMin());  // and does not loop for ever
    EXPECT_EQ(calc.AboutMin, -1e308);
    EXPECT_EQ(calc.AboutMax, 1e308);
}

TEST(TCalc, SizesBelowOneBecomeOne) {
    TCalc calc;
    for (int n : {0, -5}) {
        calc.SetRow(n);
        calc.SetCol(n);
        EXPECT_EQ(calc.Row(), 1);
        EXPECT_EQ(calc.Col(), 1);
    }
    EXPECT_EQ(TCalc::Power(0, 0.0), 1.0);
    EXPECT_EQ(TCalc::Power(-2, 5.0), 1.0);
    EXPECT_EQ(TCalc::Power(3, -2.0), -8.0);
}

TEST(CalcMin2, FitsPolynomials) {
    struct Case {
        const char* name;
        std::vector<double> x, y;
        int degree;
        std::vector<double> coefficients;
    } cases[] = {
        {"degree 0 is the mean", {1, 2, 3, 4}, {2, 4, 4, 6}, 0, {4}},
        {"regression line", {0, 1, 2}, {1, 3, 5}, 1, {1, 2}},
        {"interpolating parabola", {0, 1, 2}, {1, 2, 5}, 2, {1, 0, 1}},
        {"least squares line", {0, 1, 2, 3}, {0, 1, 1, 3}, 1, {-0.1, 0.9}},
    };
    for (const Case& c : cases) {
        TCalc calc;
        Fill(calc, c.x, c.y);
        ASSERT_TRUE(calc.CalcMin2(c.degree)) << c.name;
        for (std::size_t j = 0; j < c.coefficients.size(); ++j)
            EXPECT_NEAR(calc.Coefficients()[j], c.coefficients[j], 1e-12) << c.name << " c" << j;
    }
}

// The least-squares values at the data's X, computed independently: the
// normal equations in long double on X scaled to -1 ... 1, with partial
// pivoting.
std::vector<long double> ReferenceFit(const std::vector<double>& x, const std::vector<double>& y,
                                      int n) {
    const long double lo = *std::min_element(x.begin(), x.end());
    const long double hi = *std::max_element(x.begin(), x.end());
    auto t = [&](double v) { return (v - (lo + hi) / 2) / ((hi - lo) / 2); };
    const int p = n + 1;
    std::vector<std::vector<long double>> a(
        static_cast<std::size_t>(p), std::vector<long double>(static_cast<std::size_t>(p + 1), 0));
    for (std::size_t i = 0; i < x.size(); ++i) {
        std::vector<long double> powers(std::size_t(2 * p), 1);
        for (int j = 1; j < 2 * p; ++j) powers[j] = powers[j - 1] * t(x[i]);
        for (int r = 0; r < p; ++r) {
            for (int c = 0; c < p; ++c) a[r][c] += powers[r + c];
            a[r][p] += powers[r] * y[i];
        }
    }
    for (int k = 0; k < p; ++k) {
        int best = k;
        for (int r = k + 1; r < p; ++r)
            if (std::fabs(a[r][k]) > std::fabs(a[best][k])) best = r;
        std::swap(a[k], a[best]);
        for (int r = k + 1; r < p; ++r) {
            const long double f = a[r][k] / a[k][k];
            for (int c = k; c <= p; ++c) a[r][c] -= f * a[k][c];
        }
    }
    std::vector<long double> coef(static_cast<std::size_t>(p));
    for (int r = p - 1; r >= 0; --r) {
        long double sum = a[r][p];
        for (int c = r + 1; c < p; ++c) sum -= a[r][c] * coef[c];
        coef[r] = sum / a[r][r];
    }
    std::vector<long double> values;
    for (double v : x) {
        long double value = 0;
        for (int j = n; j >= 0; --j) value = value * t(v) + coef[j];
        values.push_back(value);
    }
    return values;
}

// Data far from 0 fits as well as data near it: the curve misses the
// least-squares values by no more than 1e-6 of the Y range.
TEST(CalcMin2, FitsDataFarFromZero) {
    struct Case {
        const char* name;
        int degree;
        std::vector<double> x, y;
    } cases[] = {
        {"sin x for x in [1000, 1010]", 10, {}, {}},
        {"yearly data 1990 to 2020", 6, {}, {}},
        {"channels 1000 to 1010, degree 5", 5, {}, {}},
        {"wavelengths 4e-7 to 7e-7", 3, {}, {}},
    };
    for (int i = 0; i <= 40; ++i) {
        cases[0].x.push_back(1000 + i * 0.25);
        cases[0].y.push_back(std::sin(cases[0].x.back()));
    }
    for (int year = 1990; year <= 2020; ++year) {
        cases[1].x.push_back(year);
        cases[1].y.push_back(354 + 1.9 * (year - 1990) + 0.01 * (year - 1990) * (year - 1990) +
                             0.6 * std::sin(year * 1.7));
    }
    for (int i = 0; i <= 20; ++i) {
        cases[2].x.push_back(1000 + i * 0.5);
        cases[2].y.push_back(std::cos(i * 0.4) * 50 + i);
    }
    for (int i = 0; i <= 30; ++i) {
        cases[3].x.push_back(4e-7 + i * 1e-8);
        cases[3].y.push_back(std::exp(-(i - 12.0) * (i - 12.0) / 40));
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TCalc calc;
        Fill(calc, c.x, c.y);
        ASSERT_TRUE(calc.CalcMin2(c.degree));
        const auto reference = ReferenceFit(c.x, c.y, c.degree);
        const double range =
            *std::max_element(c.y.begin(), c.y.end()) - *std::min_element(c.y.begin(), c.y.end());
        for (std::size_t i = 0; i < c.x.size(); ++i)
            EXPECT_NEAR(calc.Fit()(c.x[i]), double(reference[i]), 1e-6 * range) << "x " << c.x[i];
    }
}

TEST(CalcMin2, DegreeTenIsAcceptedElevenRefused) {
    std::vector<double> x, y;
    for (int i = 0; i <= 10; ++i) {
        x.push_back(i * 0.1);
        y.push_back(1.0 + i * 0.1);
    }
    TCalc calc;
    Fill(calc, x, y);
    ASSERT_TRUE(calc.CalcMin2(1));
    const auto before = calc.Coefficients();
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    EXPECT_FALSE(calc.CalcMin2(11));
    EXPECT_EQ(sink.Texts, std::vector<std::string>{"次元は10次までです"});
    EXPECT_EQ(calc.Coefficients(), before);
    EXPECT_TRUE(calc.CalcMin2(10));
    EXPECT_TRUE(sink.Texts.size() == 1);
}

TEST(CalcMin2, ASingularSystemRaisesTheDivisionError) {
    struct Case {
        const char* name;
        std::vector<double> x, y;
        int degree;
    } cases[] = {
        {"two points, degree 2", {0, 1}, {1, 2}, 2},
        {"one X, degree 1", {3, 3}, {1, 2}, 1},
        {"three distinct X of five, degree 3", {1, 2, 2, 3, 3}, {1, 2, 3, 4, 5}, 3},
    };
    for (const Case& c : cases) {
        TCalc calc;
        Fill(calc, c.x, c.y);
        try {
            calc.CalcMin2(c.degree);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const RaisedError& e) {
            EXPECT_EQ(e.Text(), "0 で除算しました") << c.name;
        }
    }
}

TEST(Spline, ValuesOfTheNaturalSpline) {
    TCalc calc;
    Fill(calc, {0, 1, 2}, {0, 1, 0});
    ASSERT_TRUE(calc.CalcSpline());
    EXPECT_DOUBLE_EQ(calc.SplineValue(0.5), 0.6875);
    EXPECT_DOUBLE_EQ(calc.SplineValue(1.5), 0.6875);
    EXPECT_DOUBLE_EQ(calc.SplineValue(1.0), 1.0);
    EXPECT_DOUBLE_EQ(calc.SplineValue(0.0), 0.0);
    // Left of the first point: the first interval's cubic, t negative.
    EXPECT_DOUBLE_EQ(calc.SplineValue(-1.0), -1.5 + 0.5);
}

TEST(Spline, PointsOnALineGiveThatLineAlsoOutside) {
    for (int n : {2, 3, 6}) {
        std::vector<double> x, y;
        for (int i = 0; i < n; ++i) {
            x.push_back(i * 1.5);
            y.push_back(2 + 3 * i * 1.5);
        }
        TCalc calc;
        Fill(calc, x, y);
        ASSERT_TRUE(calc.CalcSpline()) << n;
        for (double v : {-4.0, 0.3, 1.5, 2.9, 20.0})
            EXPECT_NEAR(calc.SplineValue(v), 2 + 3 * v, 1e-9) << n << " at " << v;
    }
}

TEST(Spline, EqualNeighbouringXIsRefused) {
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    TCalc calc;
    Fill(calc, {0, 1, 1, 2}, {0, 1, 2, 3});
    EXPECT_FALSE(calc.CalcSpline());
    EXPECT_EQ(sink.Texts,
              std::vector<std::string>{"同じX値に二つ以上のY値が与えられています(スプライン補完)"});
}

}  // namespace
