// A fuzzed data file read, drawn and exported to EMF, WMF and BMP:
// whatever it holds, the drawing ends and the files are well formed.
#include <cstring>

#include "FuzzSupport.h"
#include "app/TfMain.h"
#include "platform/BmpWriter.h"
#include "platform/EmfWriter.h"
#include "platform/RaisedError.h"
#include "platform/RunCommand.h"
#include "platform/WmfWriter.h"
#include "plot/PlotNames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    if (size < 2) return 0;
    TfMain main;
    const std::string path = ScratchFile("draw.txt");
    WriteBytes(path, data + 1, size - 1);
    main.DataOpen.FileName = path;
    main.DataOpen.DivMark = (data[0] & 1) ? "," : " \t";
    main.DataOpen.ReadTitle = data[0] & 2;
    bool read = false;
    RunCommand([&] { read = main.DataOpen.ReadData(); });
    if (!read) return 0;
    main.FillDataGrid();
    const AxisKind types[] = {AxisKind::Linear, AxisKind::Log10, AxisKind::Ln, AxisKind::Date};
    main.Doc.X().Type = types[(data[0] >> 2) % 4];
    main.Doc.Y().Type = types[(data[0] >> 4) % 4];
    // The last series on the right axis, of the left axis' type.
    if ((data[0] & 0x40) && main.SeriesCount() > 1) {
        main.Series(main.SeriesCount() - 1).Style.AxisY = SeriesStyle::kRightAxis;
        main.Doc.Y2().Type = main.Doc.Y().Type;
    }
    const CurveMethod methods[] = {CurveMethod::None, CurveMethod::Min2,   CurveMethod::Min2Area,
                                   CurveMethod::Mean, CurveMethod::Spline, CurveMethod::SplineArea};
    for (int k = 0; k < main.SeriesCount(); ++k)
        main.Series(k).Style.Hokan = methods[(data[0] + k) % 6];
    bool drawn = false;
    RunCommand([&] { drawn = main.DrawGraph(false); });
    if (!drawn) return 0;
    const Picture& graph = main.ComposeGraph();
    const std::string emf = EmfBytes(graph);
    FUZZ_CHECK(emf.size() > 100 && std::memcmp(emf.data() + 40, " EMF", 4) == 0);
    const std::string wmf = WmfBytes(graph);
    FUZZ_CHECK(wmf.size() > 40 && std::memcmp(wmf.data(), "\xD7\xCD\xC6\x9A", 4) == 0);
    const std::string bmp = BmpBytes(graph);
    FUZZ_CHECK(bmp.size() > 54 && bmp[0] == 'B' && bmp[1] == 'M');
    return 0;
}
