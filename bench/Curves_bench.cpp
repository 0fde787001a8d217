#include <benchmark/benchmark.h>

#include "BenchData.h"

#include <QGuiApplication>
#include <cmath>
#include <random>
#include <vector>

#include "platform/MessageSink.h"
#include "plot/PlotNames.h"
#include "plot/TPlot.h"

namespace {

constexpr int kSeries = 49;
constexpr int kPoints = 10000;

// 49 series of 10000 noisy points on a 300 x 200 plot area, X in random
// order so the spline's sort has work to do.
std::vector<TPlot>& AllSeries() {
    static std::vector<TPlot> series = [] {
        std::vector<TPlot> s(kSeries);
        std::mt19937 rng(3);
        std::uniform_real_distribution<double> noise(-5, 5);
        std::vector<int> order(kPoints);
        for (int i = 0; i < kPoints; ++i) order[std::size_t(i)] = i;
        for (int k = 0; k < kSeries; ++k) {
            TPlot& p = s[std::size_t(k)];
            p.Xtype = p.Ytype = AxisKind::Linear;
            p.Xmin = 0;
            p.Xmax = kPoints;
            p.Ymin = -100;
            p.Ymax = 100;
            p.Xsize = 300;
            p.Ysize = 200;
            p.Dimension = 5;
            p.SetCount(kPoints);
            std::shuffle(order.begin(), order.end(), rng);
            double* xs = p.X.Edit();
            double* ys = p.Y.Edit();
            for (int i = 0; i < kPoints; ++i) {
                const int x = order[std::size_t(i)];
                xs[i] = x;
                ys[i] = 50 * std::sin(x * 0.001 + k) + noise(rng);
            }
        }
        return s;
    }();
    return series;
}

void RunCurves(benchmark::State& state, CurveMethod hokan) {
    auto& series = AllSeries();
    for (TPlot& p : series) p.Hokan = hokan;
    std::vector<PointColumn> x, y;
    for (TPlot& p : series) {
        x.push_back(p.X);
        y.push_back(p.Y);
    }
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t k = 0; k < series.size(); ++k) {
            series[k].X = x[k];
            series[k].Y = y[k];
        }
        state.ResumeTiming();
        for (TPlot& p : series) benchmark::DoNotOptimize(p.PlotLine());
    }
}

void BM_Polyline(benchmark::State& s) {
    RunCurves(s, CurveMethod::None);
}
void BM_LeastSquares(benchmark::State& s) {
    RunCurves(s, CurveMethod::Min2);
}
void BM_LeastSquaresArea(benchmark::State& s) {
    RunCurves(s, CurveMethod::Min2Area);
}
void BM_Mean(benchmark::State& s) {
    RunCurves(s, CurveMethod::Mean);
}
void BM_Spline(benchmark::State& s) {
    RunCurves(s, CurveMethod::Spline);
}
void BM_SplineArea(benchmark::State& s) {
    RunCurves(s, CurveMethod::SplineArea);
}
BENCHMARK(BM_Polyline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeastSquares)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeastSquaresArea)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mean)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Spline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplineArea)->Unit(benchmark::kMillisecond);

void BM_Marks(benchmark::State& state) {
    auto& series = AllSeries();
    for (auto _ : state)
        for (TPlot& p : series) p.PlotMark();
}
BENCHMARK(BM_Marks)->Unit(benchmark::kMillisecond);

// Marks and polyline of all 49 series, as a default graph draws them.
void BM_MarksAndPolyline(benchmark::State& state) {
    auto& series = AllSeries();
    for (TPlot& p : series) p.Hokan = CurveMethod::None;
    for (auto _ : state)
        for (TPlot& p : series) {
            p.PlotMark();
            p.PlotLine();
        }
}
BENCHMARK(BM_MarksAndPolyline)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
