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
#include "platform/RunCommand.h"

namespace {

// A main window with `columns` columns of data. Building one costs more
// than a read, so each is kept and its start settings set back before
// every input.
struct Window {
    TfMain Main;
    // What a read can change, kept to set it back.
    GraphDocument Start;

    explicit Window(int columns) {
        // Undo steps would pile up over the inputs.
        Main.RecordsUndo = false;
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
        Start = Main.Doc;
    }
    TfMain& Reset() {
        Main.Edit("", [this](GraphDocument& d) { d = Start; });
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
    Window& window = WindowOf(columns, 0);
    TfMain& main = window.Reset();
    const std::string path = ScratchFile("read.kvc");
    WriteBytes(path, data + 1, size - 1);
    bool read = false;
    try {
        read = main.ReadConfigFile(path);
    } catch (const RaisedError&) {
        return 0;  // a bad colour: the read ends there
    }
    if (!read) {
        // A number out of range refuses the file: nothing of it applied.
        FUZZ_CHECK(main.Doc == window.Start);
        return 0;
    }
    if (draw) RunCommand([&] { main.DrawGraph(false); });

    const std::string copy = ScratchFile("copy.kvc");
    std::remove(copy.c_str());
    bool written = false;
    RunCommand([&] { written = main.WriteConfigFile(copy); });
    if (!written) return 0;  // a text the file cannot hold
    // Read into a second window as it started: a file without computed
    // columns leaves those a window has.
    TfMain& again = WindowOf(columns, 1).Reset();
    FUZZ_CHECK(again.ReadConfigFile(copy));
    // The limits are saved with the 15 significant digits the program
    // shows; a file may have held more.
    GraphDocument saved = main.Doc;
    for (double* limit : {&saved.X().Max, &saved.Y().Max, &saved.X().Min, &saved.Y().Min})
        FUZZ_CHECK(TryStrToFloat(FloatToText(*limit), *limit));
    FUZZ_CHECK(again.Doc == saved);
    return 0;
}
