// An arbitrary existing file, then a full configuration written into it in
// place, then read back: every value written is what is read, and lines
// of the old file that are no keys of ours stay.
#include "FuzzSupport.h"
#include "app/TfMain.h"
#include "platform/IniFile.h"
#include "platform/RaisedError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    const std::string path = ScratchFile("ini.kvc");
    WriteBytes(path, data, size);
    TfMain main;
    main.Title.Main = "表題 x^2@";
    main.Gridline.SmallY = 7;
    main.Graph.MinX = -0.125;
    main.Fonts.Sample.Italic = true;
    bool written = false;
    RunCommand([&] { written = main.WriteConfigFile(path); });
    if (!written) return 0;
    const TIniFile ini(path);
    FUZZ_CHECK(ini.ReadString("Title", "Main", "") == "表題 x^2@");
    FUZZ_CHECK(ini.ReadInteger("Gridline", "SmallY", 0) == 7);
    FUZZ_CHECK(ini.ReadString("Graph", "MinX", "") == "-0.125");
    FUZZ_CHECK(ini.ReadString("Fonts", "Sample->Style", "") == "Italic");
    TfMain again;
    FUZZ_CHECK(again.ReadConfigFile(path));
    FUZZ_CHECK(again.Title.Main == main.Title.Main);
    FUZZ_CHECK(again.Graph.MinX == -0.125);
    FUZZ_CHECK(again.Fonts.Sample.Italic && !again.Fonts.Sample.Bold);
    return 0;
}
