// Fits: a formula through 100,000 points, and a batch of 100 files with a
// fit report beside the same batch drawn without fits.
#include <benchmark/benchmark.h>

#include "BenchData.h"

#include <QTemporaryDir>
#include <cmath>
#include <random>
#include <sstream>
#include <vector>

#include "batch/BatchRun.h"
#include "fit/FitModels.h"
#include "fit/NonlinearFit.h"
#include "platform/Cp932.h"
#include "plot/PlotNames.h"

namespace {

// A noisy Gaussian peak of `n` points over 0 ... 100.
void Peak(int n, std::vector<double>& x, std::vector<double>& y, unsigned seed) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0, 0.02);
    x.resize(std::size_t(n));
    y.resize(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        x[std::size_t(i)] = 100.0 * i / n;
        y[std::size_t(i)] =
            3 * std::exp(-0.5 * std::pow((x[std::size_t(i)] - 42) / 7.5, 2)) + noise(rng);
    }
}

// The Gaussian ready model from its guessed start, as a drawing fits it.
void BM_FormulaFit100k(benchmark::State& state) {
    std::vector<double> x, y;
    Peak(100000, x, y, 7);
    const FitModel& gauss = FitModels()[2];
    FitFormula model;
    std::string reason;
    model.Parse(gauss.Formula, reason);
    for (auto _ : state) {
        const NonlinearFit fit = FitFormulaToPoints(model, x, y, {}, gauss.Guess(x, y));
        if (fit.Result != NonlinearFit::Outcome::Fitted) state.SkipWithError("no fit");
        state.counters["iterations"] = fit.Iterations;
    }
}
BENCHMARK(BM_FormulaFit100k)->Unit(benchmark::kMillisecond);

// 100 files of 1000 points, drawn as EMF: with a Gaussian fitted to each
// and its report (state.range(0) 1), or plain (0).
void BM_Batch100Files(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString() + "/";
    BatchOptions options;
    for (int k = 0; k < 100; ++k) {
        std::vector<double> x, y;
        Peak(1000, x, y, unsigned(k));
        std::ostringstream data;
        for (std::size_t i = 0; i < x.size(); ++i) data << x[i] << ' ' << y[i] << '\n';
        const std::string path = root + "peak" + std::to_string(k) + ".dat";
        std::ofstream(path) << data.str();
        options.Files.push_back(path);
    }
    std::string report;
    if (state.range(0) == 1) {
        options.Config = root + "fit.kvc";
        std::ofstream(options.Config, std::ios::binary)
            << "[Plot]\r\nLineImage1->Hokan=" << *Utf8ToCp932(NameOf(CurveMethod::Formula))
            << "\r\nLineImage1->Formula=" << FitModels()[2].Formula << "\r\n";
        options.FitReportRows = [&](const std::string& rows) { report += rows; };
    }
    SilentSink silent;
    ScopedMessageSink scope(silent);
    TfMain main;
    for (auto _ : state) {
        report.clear();
        std::ostringstream progress;
        const BatchResult result = RunBatch(main, options, progress);
        if (result.Graphs != 100) state.SkipWithError("a file was not drawn");
    }
    state.counters["report_bytes"] = double(report.size());
}
BENCHMARK(BM_Batch100Files)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
