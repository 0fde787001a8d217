#include "plot/TCalc.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/RaisedError.h"
#include "plot/PlotNames.h"

namespace {

// The floating-point division error of a zero divisor.
double Divide(double a, double b) {
    if (b == 0.0) Raise(kDivisionByZeroText);
    return a / b;
}

double Pow10(int k) {
    return std::pow(10.0, double(k));
}

// A product that misses a whole number by its own rounding error only, as
// 5.0002 x 10^4 = 50002.000000000004, is that whole number.
double WholeIfWithinRounding(double v) {
    const double whole = std::nearbyint(v);
    return std::fabs(v - whole) <= 4 * std::numeric_limits<double>::epsilon() * std::fabs(v) ? whole
                                                                                             : v;
}

// x x 10^k without the power itself leaving the doubles: 10^310 is
// infinite, 4e-310 x 10^310 is 4.
double TimesPow10(double x, int k) {
    for (; k > 300; k -= 300) x *= 1e300;
    for (; k < -300; k += 300) x /= 1e300;
    return x * Pow10(k);
}

// n x 10^e as the double nearest to it: a division by an exact power of ten
// gives 1001 x 10^-1 as 100.1, where a product would give 100.10000000000001.
double DecimalValue(double n, int e) {
    if (e < 0 && e >= -22) return n / Pow10(-e);
    return TimesPow10(n, e);
}

}  // namespace

TCalc::TCalc() {
    KeepData();
}

void TCalc::KeepData() {
    data_.assign(std::size_t(col_) * row_, 0.0);
}

void TCalc::ReleaseData() {
    data_.clear();
    data_.shrink_to_fit();
}

void TCalc::SetRow(int n) {
    ReleaseData();
    row_ = n > 0 ? n : 1;
    KeepData();
}

void TCalc::SetCol(int n) {
    ReleaseData();
    col_ = n > 0 ? n : 1;
    KeepData();
}

double TCalc::Power(int j, double x) {
    double p = 1.0;
    for (int k = 0; k < j; ++k) p *= x;
    return p;
}

double FittedPolynomial::operator()(double x) const {
    const double t = (x - Centre) / Scale;
    double y = InT[std::size_t(Degree)];
    for (int k = Degree - 1; k >= 0; --k) y = y * t + InT[std::size_t(k)];
    return y;
}

std::array<double, FittedPolynomial::kMaxDegree + 1> FittedPolynomial::InX() const {
    // Horner's rule on polynomials: p = p * (x - Centre) / Scale + InT[k].
    std::array<double, kMaxDegree + 1> p{};
    p[0] = InT[std::size_t(Degree)];
    for (int k = Degree - 1; k >= 0; --k) {
        for (int j = Degree - k; j >= 1; --j) p[j] = (p[j - 1] - Centre * p[j]) / Scale;
        p[0] = -Centre * p[0] / Scale + InT[std::size_t(k)];
    }
    return p;
}

int TCalc::DistinctCount(const double* xs, int count, int limit) {
    std::vector<double> distinct;
    for (int i = 0; i < count && int(distinct.size()) < limit; ++i)
        if (std::find(distinct.begin(), distinct.end(), xs[i]) == distinct.end())
            distinct.push_back(xs[i]);
    return int(distinct.size());
}

bool TCalc::CalcMin2(int n, const double* weights) {
    if (n > kMaxDegree) {
        ShowMessage(kDegreeText);
        return false;
    }
    if (n < 0) return false;
    const double* xs = Column(0);
    const double* ys = col_ > 1 ? Column(1) : Column(0);
    const int m = row_;

    // A polynomial of degree n needs n + 1 distinct X values; with fewer the
    // system is singular.
    if (DistinctCount(xs, m, n + 1) <= n) Raise(kDivisionByZeroText);
    double lo = xs[0], hi = xs[0];
    for (int i = 0; i < m; ++i) {
        lo = std::min(lo, xs[i]);
        hi = std::max(hi, xs[i]);
    }

    FittedPolynomial fit;
    fit.Degree = n;
    fit.Centre = lo / 2 + hi / 2;
    fit.Scale = hi / 2 - lo / 2;
    if (!(fit.Scale > 0)) fit.Scale = 1;

    // The least-squares solution of V a = y, V[i][j] = t_i^j, by Householder
    // reflections (Q R = V), which keep the conditioning of V rather than
    // squaring it as the normal equations do.
    const int p = n + 1;
    std::vector<double> v(std::size_t(m) * p);  // column j at j * m
    std::vector<double> b(ys, ys + m);
    // A weighted fit is the plain one of the rows times sqrt(w).
    for (int i = 0; i < m; ++i) {
        const double t = (xs[i] - fit.Centre) / fit.Scale;
        const double root = weights ? std::sqrt(weights[i]) : 1.0;
        double power = root;
        for (int j = 0; j < p; ++j, power *= t) v[std::size_t(j) * m + i] = power;
        b[std::size_t(i)] *= root;
    }
    auto at = [&](int i, int j) -> double& { return v[std::size_t(j) * m + i]; };
    std::vector<double> reflector(static_cast<std::size_t>(m));
    for (int k = 0; k < p; ++k) {
        // The powers of t lie within -1 ... 1: their squares cannot overflow.
        double squares = 0;
        for (int i = k; i < m; ++i) squares += at(i, k) * at(i, k);
        const double norm = std::sqrt(squares);
        if (norm == 0) Raise(kDivisionByZeroText);
        const double alpha = at(k, k) > 0 ? -norm : norm;
        double hh = 0;
        for (int i = k; i < m; ++i) {
            reflector[std::size_t(i)] = at(i, k) - (i == k ? alpha : 0);
            hh += reflector[std::size_t(i)] * reflector[std::size_t(i)];
        }
        auto reflect = [&](auto&& element) {
            double dot = 0;
            for (int i = k; i < m; ++i) dot += reflector[std::size_t(i)] * element(i);
            const double f = 2 * dot / hh;
            for (int i = k; i < m; ++i) element(i) -= f * reflector[std::size_t(i)];
        };
        for (int j = k + 1; j < p; ++j) reflect([&](int i) -> double& { return at(i, j); });
        reflect([&](int i) -> double& { return b[std::size_t(i)]; });
        at(k, k) = alpha;
    }
    for (int j = p - 1; j >= 0; --j) {
        double sum = b[std::size_t(j)];
        for (int l = j + 1; l < p; ++l) sum -= at(j, l) * fit.InT[std::size_t(l)];
        fit.InT[std::size_t(j)] = Divide(sum, at(j, j));
        if (!std::isfinite(fit.InT[std::size_t(j)])) Raise(kOverflowText);
    }
    fit_ = fit;
    const auto inX = fit.InX();
    for (int j = 0; j <= n; ++j) coefficients_[std::size_t(j)] = inX[std::size_t(j)];
    CoefficientCovariance(v, m, p, fit);
    return true;
}

void TCalc::CoefficientCovariance(const std::vector<double>& qr, int m, int p,
                                  const FittedPolynomial& fit) {
    // In t, the covariance is R^-1 R^-T; the coefficients of x are a linear
    // map A of those of t (column k: the x coefficients of t^k), so theirs
    // is A R^-1 (A R^-1)^T.
    auto r = [&](int i, int j) { return qr[std::size_t(j) * m + i]; };
    std::vector<double> inverse(std::size_t(p) * p, 0.0);  // R^-1, row i at i * p
    for (int j = 0; j < p; ++j) {
        inverse[std::size_t(j) * p + j] = 1 / r(j, j);
        for (int i = j - 1; i >= 0; --i) {
            double sum = 0;
            for (int l = i + 1; l <= j; ++l) sum += r(i, l) * inverse[std::size_t(l) * p + j];
            inverse[std::size_t(i) * p + j] = -sum / r(i, i);
        }
    }
    std::vector<std::array<double, kMaxDegree + 1>> map(static_cast<std::size_t>(p));
    for (int k = 0; k < p; ++k) {
        FittedPolynomial unit = fit;
        unit.InT.fill(0);
        unit.InT[std::size_t(k)] = 1;
        map[std::size_t(k)] = unit.InX();
    }
    errors_.fill(0);
    for (int j = 0; j < p; ++j) {
        // Row j of A R^-1, and its squared length.
        double variance = 0;
        for (int c = 0; c < p; ++c) {
            double element = 0;
            for (int k = 0; k <= c; ++k)
                element += map[std::size_t(k)][std::size_t(j)] * inverse[std::size_t(k) * p + c];
            variance += element * element;
        }
        errors_[std::size_t(j)] = std::sqrt(variance);
    }
}

bool TCalc::CalcSpline() {
    const int n = row_;
    const double* x = Column(0);
    const double* y = col_ > 1 ? Column(1) : Column(0);
    const auto intervals = static_cast<std::size_t>(std::max(n - 1, 0));
    std::vector<double> b(intervals), c(intervals), d(intervals);
    std::vector<double> h(static_cast<std::size_t>(n)), z(static_cast<std::size_t>(n), 0.0);
    for (int i = 0; i + 1 < n; ++i) {
        h[i] = x[i + 1] - x[i];
        if (h[i] == 0.0) {
            ShowMessage(kSameXText);
            return false;
        }
        d[i] = (y[i + 1] - y[i]) / h[i];
    }
    // Forward elimination of the tridiagonal system for z[1] ... z[n-2]:
    // the diagonal goes into c, the right-hand side into b.
    if (n >= 3) {
        c[1] = 2 * (h[0] + h[1]);
        b[1] = d[1] - d[0];
        for (int i = 2; i <= n - 2; ++i) {
            c[i] = 2 * (h[i - 1] + h[i]) - Divide(h[i - 1] * h[i - 1], c[i - 1]);
            b[i] = d[i] - d[i - 1] - Divide(b[i - 1] * h[i - 1], c[i - 1]);
        }
        // Natural ends: z[0] = z[n-1] = 0.
        z[n - 2] = Divide(b[n - 2], c[n - 2]);
        for (int i = n - 3; i >= 1; --i) z[i] = Divide(b[i] - h[i] * z[i + 1], c[i]);
    }
    for (int j = 0; j + 1 < n; ++j) {
        b[j] = d[j] - (2 * z[j] + z[j + 1]) * h[j];
        c[j] = 3 * z[j];
        d[j] = (z[j + 1] - z[j]) / h[j];
    }
    splineB_ = std::move(b);
    splineC_ = std::move(c);
    splineD_ = std::move(d);
    return true;
}

double TCalc::SplineValue(double x) const {
    const int n = row_;
    if (n < 2 || splineB_.size() + 1 < std::size_t(n)) return col_ > 1 ? Cell(1, 0) : Cell(0, 0);
    const double* xs = data_.data();
    const double* ys = col_ > 1 ? data_.data() + row_ : xs;
    // The first interval i whose right end is not left of x, as a scan from
    // the first interval finds it on ascending X.
    int i = int(std::lower_bound(xs + 1, xs + n, x, [](double a, double v) { return v > a; }) -
                (xs + 1));
    if (i >= n - 1) i = n - 2;
    const double t = x - xs[i];
    return ((splineD_[i] * t + splineC_[i]) * t + splineB_[i]) * t + ys[i];
}

bool TCalc::CalcMaxMin() {
    // Missing values (NaN) are left out; without any number there is no
    // range.
    Max = Min = kMissingValue;
    for (double v : data_) {
        if (std::isnan(v)) continue;
        if (!(v <= Max)) Max = v;
        if (!(v >= Min)) Min = v;
    }
    if (std::isnan(Max)) return false;
    if (IsLogAxis(Type)) {
        if (!(Min > 0)) return false;
        PowerRounding(Type == AxisKind::Log10);
        return true;
    }
    LinearRounding();
    return true;
}

void TCalc::PowerRounding(bool base10) {
    const double a = std::ceil(base10 ? std::log10(Max) : std::log(Max));
    const double b = std::floor(base10 ? std::log10(Min) : std::log(Min));
    auto raise = [base10](double e) { return base10 ? std::pow(10.0, e) : std::exp(e); };
    AboutMax = raise(a);
    AboutMin = raise(b);
    if (AboutMax == AboutMin) {
        AboutMax = raise(a + 1);
        AboutMin = raise(b - 1);
    }
}

void TCalc::LinearRounding() {
    double r = std::fabs(Max - Min);
    if (r == 0) {
        AboutMax = Max + 1;
        AboutMin = Min - 1;
        return;
    }
    if (!std::isfinite(r)) {
        // A range wider than the doubles hold cannot be rounded; the data's
        // own extremes are the limits.
        AboutMax = Max;
        AboutMin = Min;
        return;
    }
    // The limits are upper and lower units of 10^e.
    double upper = 0, lower = 0;
    int e = 0;
    if (r >= 100) {
        int k = 1;
        while (r > 100) {
            r = r * Pow10(-1);
            ++k;
        }
        upper = std::ceil(Max * Pow10(-k));
        lower = std::floor(Min * Pow10(-k));
        e = k;
    } else if (r >= kSmallestScaledRange) {
        int s = 1;
        while (r < 100) {
            r = r * Pow10(s);
            ++s;
        }
        const double scaledUpper = std::ceil(Max * Pow10(s));
        const double scaledLower = std::floor(Min * Pow10(s));
        double range = std::fabs(scaledUpper - scaledLower);
        int k = 1;
        while (range > 100) {
            range = range * Pow10(-1);
            ++k;
        }
        upper = std::ceil(scaledUpper * Pow10(-k));
        lower = std::floor(scaledLower * Pow10(-k));
        e = k - s;
    } else {
        // Below that the growing factor of the scaling above makes the unit
        // ten to thousands of times too coarse: take the unit for which the
        // range spans more than 1 and at most 10 units.
        // The range is a difference of two data values and carries their
        // rounding: 5.0002 - 5.0001 is 1.0000000000066e-4, ten units of 1e-5.
        constexpr double kRangeSlack = 1e-6;
        e = int(std::floor(std::log10(r)));
        while (r > 10 * DecimalValue(1, e) * (1 + kRangeSlack)) ++e;
        while (r <= DecimalValue(1, e) * (1 + kRangeSlack)) --e;
        upper = std::ceil(WholeIfWithinRounding(TimesPow10(Max, -e)));
        lower = std::floor(WholeIfWithinRounding(TimesPow10(Min, -e)));
    }
    AboutMax = DecimalValue(upper, e);
    AboutMin = DecimalValue(lower, e);
    // Products rounded in double precision can leave a limit inside the
    // data (values of 13 digits and more); the limits always hold it.
    if (AboutMax < Max) AboutMax = DecimalValue(upper + 1, e);
    if (AboutMin > Min) AboutMin = DecimalValue(lower - 1, e);
}
