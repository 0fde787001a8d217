#include "fit/FitModels.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <span>

namespace {

struct Points {
    std::vector<double> x, y;  // ascending x
};

Points Sorted(std::span<const double> x, std::span<const double> y) {
    std::vector<std::size_t> order(x.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](auto a, auto b) { return x[a] < x[b]; });
    Points p;
    for (std::size_t i : order) {
        p.x.push_back(x[i]);
        p.y.push_back(y[i]);
    }
    return p;
}

// The least-squares line y = a x + b.
void Line(std::span<const double> x, std::span<const double> y, double& a, double& b) {
    const double n = double(x.size());
    const double mx = std::accumulate(x.begin(), x.end(), 0.0) / n;
    const double my = std::accumulate(y.begin(), y.end(), 0.0) / n;
    double sxy = 0, sxx = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sxy += (x[i] - mx) * (y[i] - my);
        sxx += (x[i] - mx) * (x[i] - mx);
    }
    a = sxx > 0 ? sxy / sxx : 0;
    b = my - a * mx;
}

double Span(const Points& p) {
    const double span = p.x.back() - p.x.front();
    return span > 0 ? span : 1;
}

// The peak (largest |y|): its height, its place and its half width at
// half height.
void Peak(const Points& p, double& height, double& centre, double& halfWidth) {
    std::size_t top = 0;
    for (std::size_t i = 0; i < p.y.size(); ++i)
        if (std::fabs(p.y[i]) > std::fabs(p.y[top])) top = i;
    height = p.y[top];
    centre = p.x[top];
    std::size_t left = top, right = top;
    while (left > 0 && std::fabs(p.y[left]) > std::fabs(height) / 2) --left;
    while (right + 1 < p.y.size() && std::fabs(p.y[right]) > std::fabs(height) / 2) ++right;
    halfWidth = (p.x[right] - p.x[left]) / 2;
    if (!(halfWidth > 0)) halfWidth = Span(p) / 10;
}

std::vector<double> GuessLine(std::span<const double> x, std::span<const double> y) {
    double a = 0, b = 0;
    Line(x, y, a, b);
    return {a, b};
}

// a*exp(-x/t)+c: c the level at the end, t where the rest has fallen to
// 1/e of its start.
std::vector<double> GuessDecay(std::span<const double> x, std::span<const double> y) {
    const Points p = Sorted(x, y);
    const double c = p.y.back();
    const double start = p.y.front() - c;
    double t = Span(p) / 3;
    for (std::size_t i = 1; i < p.y.size(); ++i)
        if (std::fabs(p.y[i] - c) <= std::fabs(start) / std::exp(1.0)) {
            if (p.x[i] > p.x.front()) t = p.x[i] - p.x.front();
            break;
        }
    return {start * std::exp(p.x.front() / t), t, c};
}

// a*exp(-0.5*((x-m)/s)^2): s from the half width, 1.1774 s.
std::vector<double> GuessGauss(std::span<const double> x, std::span<const double> y) {
    double height = 0, centre = 0, halfWidth = 0;
    Peak(Sorted(x, y), height, centre, halfWidth);
    return {height, centre, halfWidth / std::sqrt(2 * std::log(2.0))};
}

// a/(1+((x-m)/w)^2): w is the half width.
std::vector<double> GuessLorentz(std::span<const double> x, std::span<const double> y) {
    double height = 0, centre = 0, halfWidth = 0;
    Peak(Sorted(x, y), height, centre, halfWidth);
    return {height, centre, halfWidth};
}

// a*x^b: the line through the logarithms of the positive points.
std::vector<double> GuessPower(std::span<const double> x, std::span<const double> y) {
    std::vector<double> lx, ly;
    for (std::size_t i = 0; i < x.size(); ++i)
        if (x[i] > 0 && y[i] > 0) {
            lx.push_back(std::log(x[i]));
            ly.push_back(std::log(y[i]));
        }
    if (lx.size() < 2) return {1, 1};
    double b = 0, lna = 0;
    Line(lx, ly, b, lna);
    return {std::exp(lna), b};
}

// a*(1-exp(-b*x)): a the level at the end, 1/b where 1 - 1/e of it is
// reached.
std::vector<double> GuessSaturation(std::span<const double> x, std::span<const double> y) {
    const Points p = Sorted(x, y);
    const double a = p.y.back();
    double rate = 3 / Span(p);
    for (std::size_t i = 0; i < p.y.size(); ++i)
        if (std::fabs(p.y[i]) >= std::fabs(a) * (1 - 1 / std::exp(1.0))) {
            if (p.x[i] > 0) rate = 1 / p.x[i];
            break;
        }
    return {a, rate};
}

constexpr FitModel kModels[] = {
    {"直線", "a*x+b", GuessLine},
    {"指数減衰", "a*exp(-x/t)+c", GuessDecay},
    {"ガウス", "a*exp(-0.5*((x-m)/s)^2)", GuessGauss},
    {"ローレンツ", "a/(1+((x-m)/w)^2)", GuessLorentz},
    {"べき乗", "a*x^b", GuessPower},
    {"飽和", "a*(1-exp(-b*x))", GuessSaturation},
};

std::string WithoutBlanks(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ' && c != '\t') out += c;
    return out;
}

}  // namespace

std::span<const FitModel> FitModels() {
    return kModels;
}

const FitModel* FindFitModel(const std::string& formula) {
    const std::string wanted = WithoutBlanks(formula);
    for (const FitModel& model : kModels)
        if (wanted == model.Formula) return &model;
    return nullptr;
}
