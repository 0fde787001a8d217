// The data reader over arbitrary bytes, with every option combination
// taken from the first byte; the options form's proposal over the same
// bytes as preview lines. The file cut into pieces on three threads reads
// as on one.
#include <cmath>
#include <cstring>

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
    reader.Threads = 1;
    reader.FileName = path;
    reader.SetDelimiter(DataDelimiter(options & 3));
    if (options & 16) reader.DivMark = "";
    reader.DecimalComma = options & 32;
    reader.ReadTitle = options & 4;
    reader.Step = options & 8;
    std::vector<std::string> preview;
    std::string line;
    for (size_t i = 2; i < size && preview.size() < 10; ++i) {
        if (data[i] == '\n') {
            preview.push_back(line);
            line.clear();
        } else {
            line += char(data[i]);
        }
    }
    preview.push_back(line);
    const DataOpenChoice proposed = ProposedChoice(preview);
    FUZZ_CHECK(!proposed.Accepted && !proposed.Step);
    FUZZ_CHECK(!(proposed.DecimalComma && proposed.Delimiter == DataDelimiter::Comma));
    reader.StepNum = int(data[1]) - 16;
    bool ok = false;
    try {
        ok = reader.ReadData();
    } catch (const RaisedError& e) {
        FUZZ_CHECK(e.Text() == "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
        return 0;
    }
    static TDataOpenDialog pieces;
    pieces.SetOptions(reader);
    pieces.FileName = path;
    pieces.Threads = 3;
    pieces.MinPieceBytes = 1;
    FUZZ_CHECK(pieces.ReadData() == ok);
    if (ok) {
        FUZZ_CHECK(pieces.Col() == reader.Col() && pieces.Row() == reader.Row());
        for (int c = 0; c < reader.Col(); ++c)
            FUZZ_CHECK(std::memcmp(pieces.Column(c), reader.Column(c),
                                   std::size_t(reader.Row()) * sizeof(double)) == 0);
        FUZZ_CHECK(pieces.NotNumberNotice() == reader.NotNumberNotice());
    }
    if (ok) {
        FUZZ_CHECK(reader.Col() >= 1 && reader.Col() <= TDataOpenDialog::kMaxCol);
        FUZZ_CHECK(reader.Row() >= 1);
        // Every infinity is counted among the fields that are no numbers,
        // and the first of them lies in the table.
        std::int64_t infinities = 0;
        for (int c = 0; c < reader.Col(); ++c)
            for (int r = 0; r < reader.Row(); ++r) infinities += std::isinf(reader.Cell(c, r));
        const TDataOpenDialog::NotNumbers& notNumbers = reader.NotNumberFields();
        FUZZ_CHECK(infinities <= notNumbers.Count);
        FUZZ_CHECK(notNumbers.Count == 0 ||
                   (notNumbers.Line >= 1 && notNumbers.Column >= 1 &&
                    notNumbers.Column <= reader.Col() && !reader.NotNumberNotice().empty()));
    }
    return 0;
}
