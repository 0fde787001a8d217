// The configuration reader over arbitrary bytes with 0 to 50 series rows:
// whatever it reads, writing gives a file that reads back the same, and
// drawing afterwards ends in time. The first byte gives the number of
// rows and whether to draw: drawing costs more than the rest, so half of
// the inputs skip it.
#include <array>
#include <memory>
#include <vector>

#include "FuzzSupport.h"
#include "app/TfMain.h"
#include "platform/NumberText.h"
#include "platform/RaisedError.h"

namespace {

// What a read can change in a main window, kept to set it back.
struct Settings {
    GraphSettings Graph;
    GridlineSettings Gridline;
    SampleSettings Sample;
    TitleTexts Title;
    FontSettings Fonts;
    struct Row {
        bool Line, InLegend;
        std::string Legend;
        int LineWidth, Dimension, MarkSize, MarkPass, AxisX;
        TColor LineColor, MarkColor;
        PenStyle LineType;
        std::string Hokan, MarkType;
    };
    std::vector<Row> Rows;

    explicit Settings(TfMain& m)
        : Graph(m.Graph), Gridline(m.Gridline), Sample(m.Sample), Title(m.Title), Fonts(m.Fonts) {
        for (int k = 0; k < m.SeriesCount(); ++k) {
            const TPlot& p = m.LineImage(k);
            Rows.push_back({m.LineCheck(k).Checked, m.SampleCheck(k).Checked, m.LineEdit(k).Text,
                            p.LineWidth, p.Dimension, p.MarkSize, p.MarkPass, p.AxisX, p.LineColor,
                            p.MarkColor, p.LineType, p.Hokan, p.MarkType});
        }
    }
    void ApplyTo(TfMain& m) const {
        m.Graph = Graph;
        m.Gridline = Gridline;
        m.Sample = Sample;
        m.Title = Title;
        m.Fonts = Fonts;
        for (int k = 0; k < m.SeriesCount(); ++k) {
            const Row& r = Rows[std::size_t(k)];
            TPlot& p = m.LineImage(k);
            m.LineCheck(k).Checked = r.Line;
            m.SampleCheck(k).Checked = r.InLegend;
            m.LineEdit(k).Text = r.Legend;
            p.LineWidth = r.LineWidth;
            p.Dimension = r.Dimension;
            p.MarkSize = r.MarkSize;
            p.MarkPass = r.MarkPass;
            p.AxisX = r.AxisX;
            p.LineColor = r.LineColor;
            p.MarkColor = r.MarkColor;
            p.LineType = r.LineType;
            p.Hokan = r.Hokan;
            p.MarkType = r.MarkType;
            p.DrawSample();
        }
    }
};

// A main window with `columns` columns of data. Building one costs more
// than a read, so each is kept and its start settings set back before
// every input.
struct Window {
    TfMain Main;
    std::unique_ptr<Settings> Start;

    explicit Window(int columns) {
        if (columns > 0) {
            const std::string path = ScratchFile("cfg-data.txt");
            std::string rows;
            for (int r = 0; r < 3; ++r) {
                for (int c = 0; c < columns; ++c) rows += std::to_string(c + r) + " ";
                rows += "\n";
            }
            WriteBytes(path, reinterpret_cast<const uint8_t*>(rows.data()), rows.size());
            Main.DataOpen.FileName = path;
            Main.DataOpen.DivMark = " ";
            FUZZ_CHECK(Main.DataOpen.ReadData());
            Main.FillDataGrid();
        }
        Start = std::make_unique<Settings>(Main);
    }
    TfMain& Reset() {
        Start->ApplyTo(Main);
        return Main;
    }
};

Window& WindowOf(int columns, int copy) {
    static std::array<std::unique_ptr<Window>, 2 * 51> windows;
    auto& window = windows[std::size_t(2 * columns + copy)];
    if (!window) window = std::make_unique<Window>(columns);
    return *window;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    if (size < 1) return 0;
    const int columns = data[0] % 51;
    const bool draw = data[0] / 51 % 2 == 0;
    TfMain& main = WindowOf(columns, 0).Reset();
    const std::string path = ScratchFile("read.kvc");
    WriteBytes(path, data + 1, size - 1);
    bool read = false;
    try {
        read = main.ReadConfigFile(path);
    } catch (const RaisedError&) {
        return 0;  // a bad colour: the read ends there
    }
    FUZZ_CHECK(read);
    if (draw) RunCommand([&] { main.DrawGraph("Start"); });

    const std::string copy = ScratchFile("copy.kvc");
    std::remove(copy.c_str());
    bool written = false;
    RunCommand([&] { written = main.WriteConfigFile(copy); });
    if (!written) return 0;  // a text the file cannot hold
    // The copy holds every key, so what the second window held before
    // does not matter.
    TfMain& again = WindowOf(columns, 1).Main;
    FUZZ_CHECK(again.ReadConfigFile(copy));
    // The limits are saved with the 15 significant digits the program
    // shows; a file may have held more.
    GraphSettings saved = main.Graph;
    for (double* limit : {&saved.MaxX, &saved.MaxY, &saved.MinX, &saved.MinY})
        FUZZ_CHECK(TryStrToFloat(FloatToText(*limit), *limit));
    FUZZ_CHECK(again.Graph == saved);
    FUZZ_CHECK(again.Gridline == main.Gridline);
    FUZZ_CHECK(again.Sample == main.Sample);
    FUZZ_CHECK(again.Title == main.Title);
    FUZZ_CHECK(again.Fonts == main.Fonts);
    for (int k = 0; k < main.SeriesCount(); ++k) {
        const TPlot& a = again.LineImage(k);
        const TPlot& m = main.LineImage(k);
        FUZZ_CHECK(a.LineWidth == m.LineWidth && a.LineColor == m.LineColor &&
                   a.LineType == m.LineType && a.Hokan == m.Hokan &&
                   a.Dimension == m.Dimension && a.MarkSize == m.MarkSize &&
                   a.MarkType == m.MarkType && a.MarkColor == m.MarkColor &&
                   a.MarkPass == m.MarkPass && a.AxisX == m.AxisX);
        FUZZ_CHECK(again.LineCheck(k).Checked == main.LineCheck(k).Checked);
        FUZZ_CHECK(again.SampleCheck(k).Checked == main.SampleCheck(k).Checked);
        FUZZ_CHECK(again.LineEdit(k).Text == main.LineEdit(k).Text);
    }
    return 0;
}
