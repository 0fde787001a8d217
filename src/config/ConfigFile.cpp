#include "config/ConfigFile.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <span>
#include <variant>

#include "config/ColorNames.h"
#include "config/ConfigKeys.h"
#include "document/ComputedColumns.h"
#include "platform/Cp932.h"
#include "platform/FormatText.h"
#include "platform/IniFile.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/RaisedError.h"
#include "plot/PlotNames.h"
#include "plot/TPlot.h"

using namespace ConfigKeys;

namespace {

constexpr const char* kColumnsSection = "Columns";
// Column keys are looked for up to here: the data's columns and as many
// computed ones.
constexpr int kMaxColumnKey = 2000;

constexpr const char* kFilesKey = "Files";
constexpr const char* kSeriesLeftOutText =
    "%s は %s 個のﾃﾞｰﾀﾌｧｲﾙで作った設定です: ﾃﾞｰﾀにない %s 〜 %s 番目の列の設定は使いません";

std::string SeriesKey(int k, const char* name) {
    return Concat("LineImage", IntToStr(k), "->", name);
}

std::string ColumnKey(int n) {
    return Concat("Column", IntToStr(n));
}

std::string StyleText(const FontSetting& f) {
    std::string s;
    auto add = [&s](bool on, const char* word) {
        if (!on) return;
        if (!s.empty()) s += ' ';
        s += word;
    };
    add(f.Bold, "Bold");
    add(f.Italic, "Italic");
    add(f.Underline, "Underline");
    add(f.StrikeOut, "StrikeOut");
    return s;
}

// Writes each kind of value in its text form.
struct KeyWriter {
    TIniFile& ini;
    void operator()(const char* section, const std::string& key, int v) {
        ini.WriteInteger(section, key, v);
    }
    void operator()(const char* section, const std::string& key, bool v) {
        ini.WriteBool(section, key, v);
    }
    void operator()(const char* section, const std::string& key, const std::string& v) {
        ini.WriteString(section, key, v);
    }
    void operator()(const char* section, const std::string& key, Color c) {
        ini.WriteString(section, key, ColorToText(c.value));
    }
    // The limits keep their fractions.
    void operator()(const char* section, const std::string& key, Limit l) {
        ini.WriteString(section, key, FloatToText(l.value));
    }
    void operator()(const char* section, const std::string& key, Pen p) {
        ini.WriteInteger(section, key, int(p.value));
    }
    void operator()(const char* section, const std::string& key, Ranged r) {
        ini.WriteInteger(section, key, r.value);
    }
    void operator()(const char* section, const std::string& key, FaceName f) {
        ini.WriteString(section, key, f.value);
    }
    void operator()(const char* section, const std::string& key, Style s) {
        ini.WriteString(section, key, StyleText(s.value));
    }
    void operator()(const char* section, const std::string& key, Charset c) {
        ini.WriteInteger(section, key, c.value);
    }
    void operator()(const char* section, const std::string& key, LineCheck c) {
        ini.WriteBool(section, key, c.series.Plotted);
    }
    void operator()(const char* section, const std::string& key, Delimiter d) {
        ini.WriteString(section, key, DelimiterKey(d.value));
    }
    template <typename Kind>
    void operator()(const char* section, const std::string& key, Named<Kind> n) {
        ini.WriteString(section, key, NameOf(n.value));
    }
    void operator()(const char* section, const std::string& key, Fine f) {
        ini.WriteString(section, key, FloatToText(f.value));
    }
    void operator()(const char* section, const std::string& key, Place p) {
        ini.WriteString(
            section, key,
            p.value ? Concat(IntToStr(p.value->Left), ",", IntToStr(p.value->Top)) : "");
    }
    template <typename Inner>
    void operator()(const char* section, const std::string& key, WhenSet<Inner> w) {
        if (w.set || ini.Value(section, key)) (*this)(section, key, w.inner);
    }
};

// A limit of a message, to four significant digits.
std::string LimitText(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", v);
    return FloatToText(std::strtod(text, nullptr));
}

// Reads each kind of value with its current contents as the default.
struct KeyReader {
    const TIniFile& ini;
    void Check(const char* section, const std::string& key, int value, int min, int max) const {
        if (value >= min && value <= max) return;
        throw OutOfRange{FormatText(
            ConfigFile::kOutOfRangeText,
            {ini.FileName(), section, key, IntToStr(value), IntToStr(min), IntToStr(max)})};
    }
    void operator()(const char* section, const std::string& key, Ranged r) {
        const int value = ini.ReadInteger(section, key, r.value);
        Check(section, key, value, r.min, r.max);
        r.value = value;
    }
    void operator()(const char* section, const std::string& key, int& v) {
        v = ini.ReadInteger(section, key, v);
    }
    void operator()(const char* section, const std::string& key, bool& v) {
        v = ini.ReadBool(section, key, v);
    }
    void operator()(const char* section, const std::string& key, std::string& v) {
        v = ini.ReadString(section, key, v);
    }
    void operator()(const char* section, const std::string& key, Color c) {
        const auto text = ini.Value(section, key);
        if (!text) return;
        if (const auto named = ColorFromName(*text))
            c.value = *named;
        else
            c.value = TColor(StrToInt(*text));  // raises for a text that is no number
    }
    void operator()(const char* section, const std::string& key, Limit l) {
        const auto text = ini.Value(section, key);
        if (!text) return;
        double value = 0;
        l.value = TryStrToFloat(*text, value) ? value : ini.ReadInteger(section, key, int(l.value));
    }
    void operator()(const char* section, const std::string& key, Pen p) {
        const int value = ini.ReadInteger(section, key, int(p.value));
        Check(section, key, value, 0, int(PenStyle::psInsideFrame));
        p.value = PenStyle(value);
    }
    void operator()(const char* section, const std::string& key, FaceName f) {
        const std::string name = ini.ReadString(section, key, f.value);
        const auto bytes = Utf8ToCp932(name);
        f.value = bytes ? Cp932ToUtf8(Cp932Prefix(*bytes, 31)) : name;
    }
    void operator()(const char* section, const std::string& key, Style s) {
        const std::string style = ini.ReadString(section, key, "");
        s.value.Bold = style.find("Bold") != std::string::npos;
        s.value.Italic = style.find("Italic") != std::string::npos;
        s.value.Underline = style.find("Underline") != std::string::npos;
        s.value.StrikeOut = style.find("StrikeOut") != std::string::npos;
    }
    void operator()(const char* section, const std::string& key, Charset c) {
        c.value = ini.ReadInteger(section, key, c.value) & 0xFF;
    }
    template <typename Kind>
    void operator()(const char* section, const std::string& key, Named<Kind> n) {
        if (!ini.Value(section, key)) return;
        const std::string name = ini.ReadString(section, key, "");
        if (const auto kind = KindOfName(n.names, name)) {
            n.value = *kind;
            return;
        }
        throw OutOfRange{FormatText(ConfigFile::kUnknownNameText,
                                    {ini.FileName(), section, key, name, NameList(n.names)})};
    }
    void operator()(const char* section, const std::string& key, Delimiter d) {
        const auto text = ini.Value(section, key);
        if (!text) return;
        const auto delimiter = DelimiterFromKey(*text);
        if (!delimiter)
            throw OutOfRange{
                FormatText(ConfigFile::kUnknownDelimiterText, {ini.FileName(), *text})};
        d.value = *delimiter;
    }
    void operator()(const char* section, const std::string& key, Fine f) {
        const auto text = ini.Value(section, key);
        if (!text) return;
        double value = 0;
        if (!TryStrToFloat(*text, value) || !(value >= f.min && value <= f.max))
            throw OutOfRange{FormatText(
                ConfigFile::kOutOfRangeText,
                {ini.FileName(), section, key, *text, LimitText(f.min), LimitText(f.max)})};
        f.value = value;
    }
    template <typename Inner>
    void operator()(const char* section, const std::string& key, WhenSet<Inner> w) {
        (*this)(section, key, w.inner);
    }
    // Empty: the label is laid out; else two positions as the canvas's.
    void operator()(const char* section, const std::string& key, Place p) {
        const auto text = ini.Value(section, key);
        if (!text) return;
        if (text->empty()) {
            p.value.reset();
            return;
        }
        const std::size_t comma = text->find(',');
        double left = 0, top = 0;
        constexpr int kMax = GraphSettings::kMaxPosition;
        if (comma == std::string::npos || !TryStrToFloat(text->substr(0, comma), left) ||
            !TryStrToFloat(text->substr(comma + 1), top) || left != std::floor(left) ||
            top != std::floor(top) || std::abs(left) > kMax || std::abs(top) > kMax)
            throw OutOfRange{
                FormatText(ConfigFile::kPlaceText,
                           {ini.FileName(), section, key, *text, IntToStr(-kMax), IntToStr(kMax)})};
        p.value = LabelPlace{int(left), int(top)};
    }
    void operator()(const char* section, const std::string& key, LineCheck c) {
        const bool checked = ini.ReadBool(section, key, c.series.Plotted);
        if (checked == c.series.Plotted) return;
        c.series.Plotted = checked;
        c.series.InLegend = checked;
    }
};

}  // namespace

namespace ConfigFile {

namespace {

// A file read for writing that holds other text and is not named ".kvc".
bool IsForeign(const TIniFile& ini) {
    const std::string& name = ini.FileName();
    return !(name.size() >= 4 &&
             SameText(std::string_view(name).substr(name.size() - 4), ".kvc")) &&
           ini.HoldsOtherText();
}

}  // namespace

bool IsForeignFile(const std::string& fileName) {
    return IsForeign(TIniFile(fileName));
}

bool Write(const GraphDocument& values, const std::string& fileName, const FileSet& keep,
           bool replaceForeign) {
    TIniFile ini(fileName);
    if (!replaceForeign && IsForeign(ini)) {
        ShowMessage(FormatText(kForeignTargetText, {fileName}));
        return false;
    }
    GraphDocument copy = values;
    // The computed columns by their formulas, numbered after the file's;
    // the file's other column keys emptied, so that none is read back.
    const int fileColumns = copy.FileColumnCount();
    for (int n = 1; n <= kMaxColumnKey; ++n) {
        const std::size_t k = std::size_t(n - fileColumns - 1);
        if (n > fileColumns && k < copy.ComputedColumns.size())
            ini.WriteString(kColumnsSection, ColumnKey(n), copy.ComputedColumns[k]);
        else if (ini.Value(kColumnsSection, ColumnKey(n)))
            ini.WriteString(kColumnsSection, ColumnKey(n), "");
    }
    // How many files the series came from, when more than one.
    if (copy.Sources.size() > 1 || ini.Value("Data", kFilesKey))
        ini.WriteInteger("Data", kFilesKey, int(std::max<std::size_t>(copy.Sources.size(), 1)));
    const bool rightAxis = copy.UsesRightAxis() || copy.Y2() != GraphDocument().Y2() ||
                           ini.Value("Graph", "AxistypeY2");
    // The canvas in its unit as the pixels now measure it.
    GraphSettings& g = copy.Graph;
    g.SetCanvas(g.CanvasUnit, g.CanvasWidthInUnit(), g.CanvasHeightInUnit());
    VisitKeys(copy, rightAxis, KeyWriter{ini});
    if (ini.Unencodable()) {
        ShowMessage(FormatText(kUnencodableText, {*ini.Unencodable()}));
        return false;
    }
    ini.UpdateFile(keep);
    return true;
}

namespace {

// Opens the file and lets `visit` read its keys; false, with a message,
// when the file cannot be read or a value is refused.
template <typename Visit>
bool ReadKeys(const std::string& fileName, Visit&& visit) {
    const TIniFile ini(fileName);
    if (!ini.Exists()) {
        ShowMessage(ReadRefusalText(fileName));
        return false;
    }
    try {
        visit(KeyReader{ini});
    } catch (const OutOfRange& refusal) {
        ShowMessage(refusal.text);
        return false;
    }
    return true;
}

}  // namespace

bool Read(GraphDocument& values, const std::string& fileName) {
    return ReadKeys(fileName, [&](KeyReader reader) {
        // The computed columns first: their series rows have keys of their
        // own. They replace those the document has; a file without any
        // leaves them.
        std::vector<std::string> formulas;
        for (int n = 1; n <= kMaxColumnKey; ++n)
            if (auto formula = reader.ini.Value(kColumnsSection, ColumnKey(n));
                formula && !formula->empty())
                formulas.push_back(*formula);
        if (!formulas.empty() && !values.Sources.empty()) {
            RemoveComputedColumns(values);
            AddComputedColumns(values, formulas);
        }
        VisitKeys(values, true, reader);
        // A canvas in pixels alone is one of an older file.
        GraphSettings& g = values.Graph;
        const TIniFile& ini = reader.ini;
        if (!ini.Value("Graph", "CanvasUnit") &&
            (ini.Value("Graph", "Canvaswidth") || ini.Value("Graph", "Canvasheight")))
            g.CanvasUnit = LengthUnit::Px;
        if (g.CanvasUnit != LengthUnit::Px && g.CanvasUnitWidth > 0 && g.CanvasUnitHeight > 0)
            g.SetCanvas(g.CanvasUnit, g.CanvasUnitWidth, g.CanvasUnitHeight);
        else
            g.CanvasUnit = LengthUnit::Px;
        // Made with more files than are read: the series of the others are
        // left out, and the user is told which.
        const int files = reader.ini.ReadInteger("Data", kFilesKey, 1);
        int last = -1;
        for (int k = int(values.Series.size()); k <= kMaxColumnKey; ++k)
            if (reader.ini.Value("Plot", SeriesKey(k, "LineWidth"))) last = k;
        if (files > int(values.Sources.size()) && last >= 0)
            ShowNotice(FormatText(kSeriesLeftOutText,
                                  {fileName, IntToStr(files), IntToStr(values.Series.size() + 1),
                                   IntToStr(last + 1)}));
    });
}

bool ReadDataKeys(ReadSettings& read, const std::string& fileName) {
    return ReadKeys(fileName, [&](KeyReader reader) { VisitDataKeys(read, reader); });
}

}  // namespace ConfigFile
