#pragma once

#include <benchmark/benchmark.h>
#include <QDir>
#include <QGuiApplication>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "app/TfMain.h"
#include "platform/MessageSink.h"

// A 50-column x 10000-row file: X in column 1, 49 noisy curves; read into
// a main window with its grid and series rows, the warning about its size
// silenced.
class SilentSink : public MessageSink {
  public:
    void ShowMessage(const std::string&) override {}
};

inline std::string WriteBenchFile(const std::string& name, int rows) {
    const std::string path = QDir::tempPath().toStdString() + "/" + name;
    std::ofstream out(path, std::ios::binary);
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> noise(-2.0, 2.0);
    std::string line;
    for (int r = 0; r < rows; ++r) {
        line = std::to_string(r);
        for (int c = 1; c < 50; ++c) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, " %.4f",
                          40 * std::sin(r * 0.002 + c) + noise(rng));
            line += buffer;
        }
        out << line << '\n';
    }
    return path;
}

inline void ReadBenchData(TfMain& main, const std::string& path) {
    SilentSink silent;
    ScopedMessageSink scope(silent);
    main.DataOpen.FileName = path;
    main.DataOpen.DivMark = DataOpenOptions::kSpaceDivMark;
    main.DataOpen.ReadData();
    main.FillDataGrid();
}

// The benchmark programs run headless.
inline int RunBenchmarks(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
