// The configuration reader over arbitrary bytes with 0 to 50 series rows;
// whatever it reads, drawing afterwards ends in time and writing gives a
// file that reads back the same.
#include "FuzzSupport.h"
#include "app/TfMain.h"
#include "platform/RaisedError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    if (size < 1) return 0;
    const int columns = data[0] % 51;
    TfMain main;
    const std::string dataPath = ScratchFile("cfg-data.txt");
    std::string rows;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < std::max(columns, 1); ++c) rows += std::to_string(c + r) + " ";
        rows += "\n";
    }
    WriteBytes(dataPath, reinterpret_cast<const uint8_t*>(rows.data()), rows.size());
    main.DataOpen.FileName = dataPath;
    main.DataOpen.DivMark = " ";
    if (columns > 0) {
        FUZZ_CHECK(main.DataOpen.ReadData());
        main.FillDataGrid();
    }
    const std::string path = ScratchFile("read.kvc");
    WriteBytes(path, data + 1, size - 1);
    bool read = false;
    try {
        read = main.ReadConfigFile(path);
    } catch (const RaisedError&) {
        return 0;  // a bad colour: the read ends there
    }
    FUZZ_CHECK(read);
    RunCommand([&] { main.DrawGraph("Start"); });
    const std::string copy = ScratchFile("copy.kvc");
    std::remove(copy.c_str());
    bool written = false;
    RunCommand([&] { written = main.WriteConfigFile(copy); });
    if (!written) return 0;  // a text the file cannot hold
    TfMain again;
    if (columns > 0) {
        again.DataOpen.FileName = dataPath;
        again.DataOpen.DivMark = " ";
        FUZZ_CHECK(again.DataOpen.ReadData());
        again.FillDataGrid();
    }
    FUZZ_CHECK(again.ReadConfigFile(copy));
    FUZZ_CHECK(again.Graph.Width == main.Graph.Width);
    FUZZ_CHECK(again.Gridline.LargeX == main.Gridline.LargeX);
    FUZZ_CHECK(again.Title.Main == main.Title.Main);
    FUZZ_CHECK(again.Fonts.Num.Name == main.Fonts.Num.Name);
    for (int k = 0; k < main.SeriesCount(); ++k) {
        FUZZ_CHECK(again.LineImage(k).MarkType == main.LineImage(k).MarkType);
        FUZZ_CHECK(again.LineEdit(k).Text == main.LineEdit(k).Text);
        FUZZ_CHECK(again.SampleCheck(k).Checked == main.SampleCheck(k).Checked);
    }
    return 0;
}
