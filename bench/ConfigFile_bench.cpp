#include <benchmark/benchmark.h>

#include "BenchData.h"

#include <QDir>
#include <QGuiApplication>
#include <fstream>
#include <string>

#include "app/TfMain.h"
#include "platform/MessageSink.h"

namespace {

// A configuration file of about 100 MB: the keys of a 50-column graph
// followed by a million foreign sections, as a file grown by another
// program might be.
const std::string& HugeConfig() {
    static const std::string path = [] {
        const std::string p = QDir::tempPath().toStdString() + "/kurvo-bench-100mb.kvc";
        TfMain main;
        std::remove(p.c_str());
        main.WriteConfigFile(p);
        std::ofstream out(p, std::ios::binary | std::ios::app);
        std::string block;
        for (int i = 0; i < 1000; ++i)
            block +=
                "[Foreign" + std::to_string(i) + "]\r\nsome key=" + std::string(60, 'v') + "\r\n";
        while (out.tellp() < 100'000'000) out << block;
        return p;
    }();
    return path;
}

// A 50-column table, so that every series row is read.
void LoadFiftyColumns(TfMain& main) {
    ReadBenchData(main, WriteBenchFile("kurvo-bench-50x3.txt", 3));
}

void BM_ReadHugeConfig(benchmark::State& state) {
    SilentSink silent;
    ScopedMessageSink scope(silent);
    TfMain main;
    LoadFiftyColumns(main);
    const std::string& path = HugeConfig();
    for (auto _ : state)
        if (!main.ReadConfigFile(path)) state.SkipWithError("read failed");
}
BENCHMARK(BM_ReadHugeConfig)->Unit(benchmark::kMillisecond)->Iterations(3);

// The usual case: the whole configuration of 50 series written and read.
void BM_WriteAndReadConfig(benchmark::State& state) {
    SilentSink silent;
    ScopedMessageSink scope(silent);
    TfMain main;
    LoadFiftyColumns(main);
    const std::string path = QDir::tempPath().toStdString() + "/kurvo-bench-50.kvc";
    for (auto _ : state) {
        std::remove(path.c_str());
        if (!main.WriteConfigFile(path) || !main.ReadConfigFile(path))
            state.SkipWithError("write or read failed");
    }
}
BENCHMARK(BM_WriteAndReadConfig)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
