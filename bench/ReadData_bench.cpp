#include <benchmark/benchmark.h>

#include "BenchData.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "app/TfMain.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"

namespace {

// A 50-column x 10000-row file of measured-looking numbers, about 4 MB.
// The same numbers as a European spreadsheet writes them (semicolons and
// decimal commas) or as pandas quotes them (every field in quotes).
enum class Style { Space, EuropeanCsv, QuotedCsv };

const std::string& BenchFile(Style style = Style::Space) {
    static std::string paths[3];
    std::string& path = paths[int(style)];
    if (path.empty())
        path = [style] {
            const char* names[] = {"50x10000.txt", "50x10000-eu.csv", "50x10000-quoted.csv"};
            const std::string p =
                QDir::tempPath().toStdString() + "/kurvo-bench-" + names[int(style)];
            std::ofstream out(p, std::ios::binary);
            std::mt19937 rng(42);
            std::uniform_real_distribution<double> value(-1000.0, 1000.0);
            std::string line;
            for (int r = 0; r < 10000; ++r) {
                line.clear();
                for (int c = 0; c < 50; ++c) {
                    char buffer[32];
                    std::snprintf(buffer, sizeof buffer, "%.4f", value(rng));
                    std::string field = buffer;
                    if (style == Style::EuropeanCsv) field[field.find('.')] = ',';
                    if (style == Style::QuotedCsv) field = '"' + field + '"';
                    line += field;
                    const char delimiter = style == Style::Space         ? ' '
                                           : style == Style::EuropeanCsv ? ';'
                                                                         : ',';
                    line += c + 1 < 50 ? delimiter : '\n';
                }
                out << line;
            }
            return p;
        }();
    return path;
}

std::int64_t FileSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    return std::int64_t(in.tellg());
}

// On one thread, and on every core (the 4 MB file in 1 MB pieces).
void BM_ReadData(benchmark::State& state) {
    TDataOpenDialog reader;
    reader.FileName = BenchFile();
    reader.DivMark = DataOpenOptions::kSpaceDivMark;
    reader.Threads = int(state.range(0));
    reader.MinPieceBytes = 1 << 20;
    for (auto _ : state) {
        if (!reader.ReadData()) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(reader.Cell(49, 9999));
    }
    state.SetBytesProcessed(state.iterations() * FileSize(BenchFile()));
}
BENCHMARK(BM_ReadData)->ArgName("threads")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_ReadDataCsv(benchmark::State& state) {
    const Style style = Style(state.range(0));
    TDataOpenDialog reader;
    reader.FileName = BenchFile(style);
    reader.SetDelimiter(style == Style::EuropeanCsv ? DataDelimiter::Semicolon
                                                    : DataDelimiter::Comma);
    reader.DecimalComma = style == Style::EuropeanCsv;
    for (auto _ : state) {
        if (!reader.ReadData() || reader.Col() != 50) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(reader.Cell(49, 9999));
    }
    state.SetBytesProcessed(state.iterations() * FileSize(BenchFile(style)));
    state.SetLabel(style == Style::EuropeanCsv ? "semicolons, decimal commas" : "quoted fields");
}
BENCHMARK(BM_ReadDataCsv)
    ->Arg(int(Style::EuropeanCsv))
    ->Arg(int(Style::QuotedCsv))
    ->Unit(benchmark::kMillisecond);

void BM_ReadDataAndFillGrid(benchmark::State& state) {
    SilentSink silent;
    ScopedMessageSink scope(silent);
    TfMain main;
    main.DataOpen.FileName = BenchFile();
    main.DataOpen.DivMark = DataOpenOptions::kSpaceDivMark;
    for (auto _ : state) {
        if (!main.DataOpen.ReadData()) state.SkipWithError("read failed");
        main.FillDataGrid();
        benchmark::DoNotOptimize(main.DataG().Cell(50, 10000).size());
    }
}
BENCHMARK(BM_ReadDataAndFillGrid)->Unit(benchmark::kMillisecond);

// Values as data files hold them (short) and as computations leave them
// (17 digits, which need rounding to 15).
void BM_FloatToText(benchmark::State& state) {
    const double values[] = {123.4567, -0.25, 1e-5, 3e20, 998.0001, 42.0, -7.125, 0.0625};
    const double longValues[] = {1.0 / 3.0, 2.0 / 7.0, 0.1 + 0.2, 1e-7 / 3.0};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FloatToText(state.range(0) ? longValues[i & 3] : values[i & 7]));
        ++i;
    }
}
BENCHMARK(BM_FloatToText)->Arg(0)->Arg(1);

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
