// The data reader over arbitrary bytes, with every option combination
// taken from the first byte.
#include <cmath>

#include "FuzzSupport.h"
#include "data/TDataOpenDialog.h"
#include "platform/RaisedError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    if (size < 2) return 0;
    const uint8_t options = data[0];
    const std::string path = ScratchFile("data.txt");
    WriteBytes(path, data + 2, size - 2);
    static TDataOpenDialog reader;
    reader.FileName = path;
    reader.DivMark =
        (options & 1) ? DataOpenOptions::kCommaDivMark : DataOpenOptions::kSpaceDivMark;
    if (options & 2) reader.DivMark = "";
    reader.ReadTitle = options & 4;
    reader.Step = options & 8;
    reader.StepNum = int(data[1]) - 16;
    bool ok = false;
    try {
        ok = reader.ReadData();
    } catch (const RaisedError& e) {
        FUZZ_CHECK(e.Text() == "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
        return 0;
    }
    if (ok) {
        FUZZ_CHECK(reader.Col() >= 1 && reader.Col() <= TDataOpenDialog::kMaxCol);
        FUZZ_CHECK(reader.Row() >= 1);
        for (int c = 0; c < reader.Col(); ++c)
            // A missing value is NaN; no cell is ever infinite.
            for (int r = 0; r < reader.Row(); ++r) FUZZ_CHECK(!std::isinf(reader.Cell(c, r)));
    }
    return 0;
}
