#include "config/ConfigFile.h"

#include <cstdint>
#include <optional>

#include "app/TfMain.h"
#include "config/ColorNames.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/RaisedError.h"

namespace {

const char* const kFontKeys[5] = {"Graphtitle", "TitleX", "TitleY", "Num", "Sample"};

FontSetting* Fonts(TfMain& main, int i) {
    FontSetting* fonts[5] = {&main.Fonts.Graphtitle, &main.Fonts.TitleX, &main.Fonts.TitleY,
                             &main.Fonts.Num, &main.Fonts.Sample};
    return fonts[i];
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

TColor ReadColor(const TIniFile& ini, const std::string& section, const std::string& key,
                 TColor current) {
    const auto text = ini.Value(section, key);
    if (!text) return current;
    if (const auto named = ColorFromName(*text)) return *named;
    return TColor(StrToInt(*text));  // raises for a text that is no number
}

// Axis limits: real numbers; files that hold integers read as before.
double ReadLimit(const TIniFile& ini, const std::string& key, double current) {
    const auto text = ini.Value("Graph", key);
    if (!text) return current;
    double value = 0;
    if (TryStrToFloat(*text, value)) return value;
    return ini.ReadInteger("Graph", key, int(current));
}

}  // namespace

namespace ConfigFile {

bool Write(TfMain& main, const std::string& fileName) {
    TIniFile ini(fileName);
    for (int k = 0; k < main.SeriesCount(); ++k) {
        ini.WriteBool("CheckBox", main.LineCheck(k).Name, main.LineCheck(k).Checked);
        const TPlot& p = main.LineImage(k);
        const std::string n = p.Name + "->";
        ini.WriteInteger("Plot", n + "LineWidth", p.LineWidth);
        ini.WriteString("Plot", n + "LineColor", ColorToText(p.LineColor));
        ini.WriteInteger("Plot", n + "LineType", int(p.LineType));
        ini.WriteString("Plot", n + "Hokan", p.Hokan);
        ini.WriteInteger("Plot", n + "Dimension", p.Dimension);
        ini.WriteInteger("Plot", n + "MarkSize", p.MarkSize);
        ini.WriteString("Plot", n + "MarkType", p.MarkType);
        ini.WriteString("Plot", n + "MarkColor", ColorToText(p.MarkColor));
        ini.WriteInteger("Plot", n + "MarkPass", p.MarkPass);
        ini.WriteInteger("Plot", n + "AxisX", p.AxisX);
        ini.WriteBool("CheckBox", main.SampleCheck(k).Name, main.SampleCheck(k).Checked);
        ini.WriteString("Edit", main.LineEdit(k).Name, main.LineEdit(k).Text);
    }
    const GraphSettings& g = main.Graph;
    ini.WriteString("Graph", "AxistypeX", g.AxistypeX);
    ini.WriteString("Graph", "AxistypeY", g.AxistypeY);
    // The limits keep their fractions.
    ini.WriteString("Graph", "MaxX", FloatToText(g.MaxX));
    ini.WriteString("Graph", "MaxY", FloatToText(g.MaxY));
    ini.WriteString("Graph", "MinX", FloatToText(g.MinX));
    ini.WriteString("Graph", "MinY", FloatToText(g.MinY));
    ini.WriteBool("Graph", "AutosizeX", g.AutosizeX);
    ini.WriteBool("Graph", "AutosizeY", g.AutosizeY);
    ini.WriteInteger("Graph", "Width", g.Width);
    ini.WriteInteger("Graph", "Height", g.Height);
    ini.WriteInteger("Graph", "Left", g.Left);
    ini.WriteInteger("Graph", "Top", g.Top);
    ini.WriteInteger("Graph", "Canvaswidth", g.Canvaswidth);
    ini.WriteInteger("Graph", "Canvasheight", g.Canvasheight);
    ini.WriteString("Title", "Main", main.Title.Main);
    ini.WriteString("Title", "X", main.Title.X);
    ini.WriteString("Title", "Y", main.Title.Y);
    ini.WriteInteger("Sample", "Left", main.Sample.Left);
    ini.WriteInteger("Sample", "Top", main.Sample.Top);
    ini.WriteInteger("Sample", "Shadowsize", main.Sample.Shadowsize);
    ini.WriteString("Sample", "Shadowcolor", ColorToText(main.Sample.Shadowcolor));
    ini.WriteString("Sample", "Frontcolor", ColorToText(main.Sample.Frontcolor));
    const GridlineSettings& l = main.Gridline;
    ini.WriteInteger("Gridline", "LargeX", l.LargeX);
    ini.WriteInteger("Gridline", "LargeY", l.LargeY);
    ini.WriteInteger("Gridline", "Largewidth", l.Largewidth);
    ini.WriteInteger("Gridline", "Largelength", l.Largelength);
    ini.WriteInteger("Gridline", "SmallX", l.SmallX);
    ini.WriteInteger("Gridline", "SmallY", l.SmallY);
    ini.WriteInteger("Gridline", "Smallwidth", l.Smallwidth);
    ini.WriteInteger("Gridline", "Smalllength", l.Smalllength);
    ini.WriteInteger("Gridline", "LInewidth", l.LInewidth);
    for (int i = 0; i < 5; ++i) {
        const FontSetting& f = *Fonts(main, i);
        const std::string n = std::string(kFontKeys[i]) + "->";
        ini.WriteInteger("Fonts", n + "Size", f.Size);
        ini.WriteString("Fonts", n + "Color", ColorToText(f.Color));
        ini.WriteInteger("Fonts", n + "Charset", f.Charset);
        ini.WriteString("Fonts", n + "Name", f.Name);
        ini.WriteString("Fonts", n + "Style", StyleText(f));
    }
    if (ini.Unencodable()) {
        ShowMessage(FormatText(kUnencodableText, {*ini.Unencodable()}));
        return false;
    }
    ini.UpdateFile();
    return true;
}

bool Read(TfMain& main, const std::string& fileName) {
    const TIniFile ini(fileName);
    if (!ini.Exists()) {
        ShowMessage(kNoFileText);
        return false;
    }
    for (int k = 0; k < main.SeriesCount(); ++k) {
        TCheckBox& line = main.LineCheck(k);
        const bool checked = ini.ReadBool("CheckBox", line.Name, line.Checked);
        if (checked != line.Checked) {
            // Set through the control: its click moves the legend tick.
            line.Checked = checked;
            main.LineCheckClick(k);
        }
        TPlot& p = main.LineImage(k);
        const std::string n = p.Name + "->";
        p.LineWidth = ini.ReadInteger("Plot", n + "LineWidth", p.LineWidth);
        p.LineColor = ReadColor(ini, "Plot", n + "LineColor", p.LineColor);
        p.LineType = PenStyle(std::uint8_t(ini.ReadInteger("Plot", n + "LineType", int(p.LineType))));
        p.Hokan = ini.ReadString("Plot", n + "Hokan", p.Hokan);
        p.Dimension = ini.ReadInteger("Plot", n + "Dimension", p.Dimension);
        p.MarkSize = ini.ReadInteger("Plot", n + "MarkSize", p.MarkSize);
        p.MarkType = ini.ReadString("Plot", n + "MarkType", p.MarkType);
        p.MarkColor = ReadColor(ini, "Plot", n + "MarkColor", p.MarkColor);
        p.MarkPass = ini.ReadInteger("Plot", n + "MarkPass", p.MarkPass);
        p.DrawSample();
        p.AxisX = ini.ReadInteger("Plot", n + "AxisX", p.AxisX);
        TCheckBox& sample = main.SampleCheck(k);
        sample.Checked = ini.ReadBool("CheckBox", sample.Name, sample.Checked);
        TEdit& edit = main.LineEdit(k);
        edit.Text = ini.ReadString("Edit", edit.Name, edit.Text);
        emit main.SeriesRowChanged(k);
    }
    GraphSettings& g = main.Graph;
    g.AxistypeX = ini.ReadString("Graph", "AxistypeX", g.AxistypeX);
    g.AxistypeY = ini.ReadString("Graph", "AxistypeY", g.AxistypeY);
    g.MaxX = ReadLimit(ini, "MaxX", g.MaxX);
    g.MaxY = ReadLimit(ini, "MaxY", g.MaxY);
    g.MinX = ReadLimit(ini, "MinX", g.MinX);
    g.MinY = ReadLimit(ini, "MinY", g.MinY);
    g.AutosizeX = ini.ReadBool("Graph", "AutosizeX", g.AutosizeX);
    g.AutosizeY = ini.ReadBool("Graph", "AutosizeY", g.AutosizeY);
    g.Width = ini.ReadInteger("Graph", "Width", g.Width);
    g.Height = ini.ReadInteger("Graph", "Height", g.Height);
    g.Left = ini.ReadInteger("Graph", "Left", g.Left);
    g.Top = ini.ReadInteger("Graph", "Top", g.Top);
    g.Canvaswidth = ini.ReadInteger("Graph", "Canvaswidth", g.Canvaswidth);
    g.Canvasheight = ini.ReadInteger("Graph", "Canvasheight", g.Canvasheight);
    main.Title.Main = ini.ReadString("Title", "Main", main.Title.Main);
    main.Title.X = ini.ReadString("Title", "X", main.Title.X);
    main.Title.Y = ini.ReadString("Title", "Y", main.Title.Y);
    SampleSettings& s = main.Sample;
    s.Left = ini.ReadInteger("Sample", "Left", s.Left);
    s.Top = ini.ReadInteger("Sample", "Top", s.Top);
    s.Shadowsize = ini.ReadInteger("Sample", "Shadowsize", s.Shadowsize);
    s.Shadowcolor = ReadColor(ini, "Sample", "Shadowcolor", s.Shadowcolor);
    s.Frontcolor = ReadColor(ini, "Sample", "Frontcolor", s.Frontcolor);
    GridlineSettings& l = main.Gridline;
    l.LargeX = ini.ReadInteger("Gridline", "LargeX", l.LargeX);
    l.LargeY = ini.ReadInteger("Gridline", "LargeY", l.LargeY);
    l.Largewidth = ini.ReadInteger("Gridline", "Largewidth", l.Largewidth);
    l.Largelength = ini.ReadInteger("Gridline", "Largelength", l.Largelength);
    l.SmallX = ini.ReadInteger("Gridline", "SmallX", l.SmallX);
    l.SmallY = ini.ReadInteger("Gridline", "SmallY", l.SmallY);
    l.Smallwidth = ini.ReadInteger("Gridline", "Smallwidth", l.Smallwidth);
    l.Smalllength = ini.ReadInteger("Gridline", "Smalllength", l.Smalllength);
    l.LInewidth = ini.ReadInteger("Gridline", "LInewidth", l.LInewidth);
    for (int i = 0; i < 5; ++i) {
        FontSetting& f = *Fonts(main, i);
        const std::string n = std::string(kFontKeys[i]) + "->";
        f.Size = ini.ReadInteger("Fonts", n + "Size", f.Size);
        f.Color = ReadColor(ini, "Fonts", n + "Color", f.Color);
        // At most 31 bytes of the name, never half a character.
        const std::string name = ini.ReadString("Fonts", n + "Name", f.Name);
        const auto bytes = Utf8ToCp932(name);
        f.Name = bytes ? Cp932ToUtf8(Cp932Prefix(*bytes, 31)) : name;
        f.Charset = ini.ReadInteger("Fonts", n + "Charset", f.Charset) & 0xFF;
        const std::string style = ini.ReadString("Fonts", n + "Style", "");
        f.Bold = style.find("Bold") != std::string::npos;
        f.Italic = style.find("Italic") != std::string::npos;
        f.Underline = style.find("Underline") != std::string::npos;
        f.StrikeOut = style.find("StrikeOut") != std::string::npos;
    }
    return true;
}

}  // namespace ConfigFile
