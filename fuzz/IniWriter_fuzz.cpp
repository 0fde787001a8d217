// An arbitrary existing file, then a full configuration written into it in
// place, then read back: every value written is what is read, and the
// comment lines of the old file stay, in their order.
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "app/TfMain.h"
#include "platform/IniFile.h"
#include "platform/RaisedError.h"
#include "platform/RunCommand.h"

namespace {

// The lines of a file as the INI reader splits them.
std::vector<std::string> FileLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        pos = end + 1;
    }
    return lines;
}

bool IsCommentLine(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first != std::string::npos && line[first] == ';';
}

// Two series rows, so that every section of the file is written.
void LoadTwoColumns(TfMain& main) {
    const std::string path = ScratchFile("ini-data.txt");
    const std::string rows = "1 2\n3 4\n";
    WriteBytes(path, reinterpret_cast<const uint8_t*>(rows.data()), rows.size());
    main.DataOpen.FileName = path;
    main.DataOpen.DivMark = " ";
    FUZZ_CHECK(main.DataOpen.ReadData());
    main.FillDataGrid();
}

TfMain& Writer() {
    static TfMain* main = [] {
        auto* m = new TfMain;
        LoadTwoColumns(*m);
        // Blanks at the ends and quotes: saved quoted.
        m->Doc.Title.Main = " \"表題 x^2@\" ";
        m->Doc.Y().Small = 7;
        m->Doc.X().Min = -0.125;
        m->Doc.Fonts.Sample.Italic = true;
        m->Series(1).Style.MarkType = MarkKind::Batsu;
        m->Series(1).LegendText = "'二番目'";
        return m;
    }();
    return *main;
}

TfMain& Reader() {
    static TfMain* again = [] {
        auto* m = new TfMain;
        LoadTwoColumns(*m);
        return m;
    }();
    return *again;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    TfMain& main = Writer();
    const std::string path = ScratchFile("ini.kvc");
    WriteBytes(path, data, size);
    bool written = false;
    RunCommand([&] { written = main.WriteConfigFile(path); });
    if (!written) return 0;

    const std::string saved = ReadFileBytes(path);
    const std::vector<std::string> newLines = FileLines(saved);
    std::size_t at = 0;
    for (const std::string& line :
         FileLines(std::string_view(reinterpret_cast<const char*>(data), size))) {
        if (!IsCommentLine(line)) continue;
        while (at < newLines.size() && newLines[at] != line) ++at;
        FUZZ_CHECK(at < newLines.size());
        ++at;
    }

    const TIniFile ini(path);
    FUZZ_CHECK(ini.ReadString("Title", "Main", "") == main.Doc.Title.Main);
    FUZZ_CHECK(ini.ReadInteger("Gridline", "SmallY", 0) == 7);
    FUZZ_CHECK(ini.ReadString("Graph", "MinX", "") == "-0.125");
    FUZZ_CHECK(ini.ReadString("Fonts", "Sample->Style", "") == "Italic");
    FUZZ_CHECK(ini.ReadString("Plot", "LineImage1->MarkType", "") == "batsu");

    // What the read must set, set to something else first: the reader is
    // kept from one input to the next.
    TfMain& again = Reader();
    again.Doc.Title.Main.clear();
    again.Doc.X().Min = 0;
    again.Doc.Fonts.Sample.Italic = false;
    again.Doc.Fonts.Sample.Bold = true;
    again.Series(1).Style.MarkType = MarkKind::No;
    again.Series(1).LegendText.clear();
    FUZZ_CHECK(again.ReadConfigFile(path));
    FUZZ_CHECK(again.Doc.Title.Main == main.Doc.Title.Main);
    FUZZ_CHECK(again.Doc.X().Min == -0.125);
    FUZZ_CHECK(again.Doc.Fonts.Sample.Italic && !again.Doc.Fonts.Sample.Bold);
    FUZZ_CHECK(again.Series(1).Style.MarkType == MarkKind::Batsu);
    FUZZ_CHECK(again.Series(1).LegendText == main.Series(1).LegendText);
    return 0;
}
