#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "BenchData.h"
#include "platform/BmpWriter.h"
#include "platform/EmfWriter.h"
#include "platform/FontSubstitution.h"
#include "platform/PdfWriter.h"
#include "platform/PictureReplay.h"
#include "platform/PngWriter.h"
#include "platform/SvgWriter.h"
#include "platform/WmfWriter.h"

namespace {

TfMain& BenchMain() {
    static TfMain* main = [] {
        auto* m = new TfMain;
        ReadBenchData(*m, WriteBenchFile("kurvo-bench-graph.txt", 10000));
        return m;
    }();
    return *main;
}

// The default graph of 49 series x 10000 rows: marks and polylines.
void BM_DrawGraph(benchmark::State& state) {
    TfMain& main = BenchMain();
    for (auto _ : state) benchmark::DoNotOptimize(main.DrawGraph(false));
}
BENCHMARK(BM_DrawGraph)->Unit(benchmark::kMillisecond);

// 49 series of 10 rows: what a drawing costs besides its points (numbers,
// titles, the legend of 49 rows).
void BM_DrawSmallGraph(benchmark::State& state) {
    static TfMain* main = [] {
        auto* m = new TfMain;
        ReadBenchData(*m, WriteBenchFile("kurvo-bench-small.txt", 10));
        return m;
    }();
    for (auto _ : state) benchmark::DoNotOptimize(main->DrawGraph(false));
}
BENCHMARK(BM_DrawSmallGraph)->Unit(benchmark::kMillisecond);

// One axis number measured, as the labels of a drawing are.
void BM_TextWidth(benchmark::State& state) {
    TLogFont font;
    font.FaceName = "Times New Roman";
    font.Height = 16;
    for (auto _ : state) benchmark::DoNotOptimize(TextWidth(font, "2.5E-3"));
}
BENCHMARK(BM_TextWidth)->Unit(benchmark::kMicrosecond);

void BM_ComposedBitmap(benchmark::State& state) {
    TfMain& main = BenchMain();
    main.DrawGraph(false);
    for (auto _ : state) {
        const QImage image = PictureToImage(main.ComposeGraph());
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ComposedBitmap)->Unit(benchmark::kMillisecond);

// The two halves of the bitmap: composing the picture, replaying it.
void BM_Compose(benchmark::State& state) {
    TfMain& main = BenchMain();
    main.DrawGraph(false);
    for (auto _ : state) benchmark::DoNotOptimize(main.ComposeGraph().Ops().size());
}
BENCHMARK(BM_Compose)->Unit(benchmark::kMillisecond);

void BM_ReplayComposed(benchmark::State& state) {
    TfMain& main = BenchMain();
    main.DrawGraph(false);
    const Picture graph = main.ComposeGraph();
    for (auto _ : state) benchmark::DoNotOptimize(PictureToImage(graph).constBits());
}
BENCHMARK(BM_ReplayComposed)->Unit(benchmark::kMillisecond);

// The writers on the composed graph; the file sizes as counters.
void BM_WriteEmf(benchmark::State& state) {
    TfMain& main = BenchMain();
    main.DrawGraph(false);
    const Picture& graph = main.ComposeGraph();
    std::size_t size = 0;
    for (auto _ : state) size = EmfBytes(graph).size();
    state.counters["MB"] = double(size) / 1e6;
}
BENCHMARK(BM_WriteEmf)->Unit(benchmark::kMillisecond);

void BM_WriteWmf(benchmark::State& state) {
    TfMain& main = BenchMain();
    main.DrawGraph(false);
    const Picture& graph = main.ComposeGraph();
    std::size_t size = 0;
    for (auto _ : state) size = WmfBytes(graph).size();
    state.counters["MB"] = double(size) / 1e6;
}
BENCHMARK(BM_WriteWmf)->Unit(benchmark::kMillisecond);

void BM_WriteSvg(benchmark::State& state) {
    TfMain& main = BenchMain();
    main.DrawGraph(false);
    const Picture& graph = main.ComposeGraph();
    std::size_t size = 0;
    for (auto _ : state) size = std::size_t(SvgBytes(graph).size());
    state.counters["MB"] = double(size) / 1e6;
}
BENCHMARK(BM_WriteSvg)->Unit(benchmark::kMillisecond);

void BM_WritePdf(benchmark::State& state) {
    TfMain& main = BenchMain();
    main.DrawGraph(false);
    const Picture& graph = main.ComposeGraph();
    std::size_t size = 0;
    for (auto _ : state) size = std::size_t(PdfBytes(graph).size());
    state.counters["MB"] = double(size) / 1e6;
}
BENCHMARK(BM_WritePdf)->Unit(benchmark::kMillisecond);

// PNG at 96 and at 300 dpi, anti-aliased.
void BM_WritePng(benchmark::State& state) {
    TfMain& main = BenchMain();
    main.DrawGraph(false);
    const Picture& graph = main.ComposeGraph();
    std::size_t size = 0;
    for (auto _ : state) size = PngBytes(graph, {.Dpi = int(state.range(0))}).size();
    state.counters["MB"] = double(size) / 1e6;
}
BENCHMARK(BM_WritePng)->Arg(96)->Arg(300)->Unit(benchmark::kMillisecond);

void BM_WriteBmp(benchmark::State& state) {
    TfMain& main = BenchMain();
    main.DrawGraph(false);
    const Picture& graph = main.ComposeGraph();
    for (auto _ : state) benchmark::DoNotOptimize(BmpBytes(graph).size());
}
BENCHMARK(BM_WriteBmp)->Unit(benchmark::kMillisecond);

// Replays of the marks alone and of the lines alone, to see which costs.
void ReplayVariant(benchmark::State& state, bool marks, bool lines) {
    TfMain& main = BenchMain();
    for (int n = 0; n < main.SeriesCount(); ++n) {
        main.Series(n).Style.MarkType = marks ? DefaultMark(n) : MarkKind::No;
        main.Series(n).Style.LineType = lines ? PenStyle::psSolid : PenStyle::psClear;
    }
    main.DrawGraph(false);
    const Picture graph = main.ComposeGraph();
    for (auto _ : state) benchmark::DoNotOptimize(PictureToImage(graph).constBits());
    for (int n = 0; n < main.SeriesCount(); ++n) {
        main.Series(n).Style.MarkType = DefaultMark(n);
        main.Series(n).Style.LineType = PenStyle::psSolid;
    }
}
void BM_ReplayMarksOnly(benchmark::State& s) {
    ReplayVariant(s, true, false);
}
void BM_ReplayLinesOnly(benchmark::State& s) {
    ReplayVariant(s, false, true);
}
BENCHMARK(BM_ReplayMarksOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplayLinesOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
