#include "config/ConfigFile.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "config/ColorNames.h"
#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/EmfWriter.h"
#include "platform/FormatText.h"
#include "platform/IniFile.h"
#include "platform/MessageSink.h"
#include "platform/RaisedError.h"
#include "platform/RunCommand.h"
#include "platform/SvgWriter.h"
#include "plot/PlotNames.h"

namespace {

const char* kStartFile =
    "[Graph]\nAxistypeX=線形\nAxistypeY=線形\nMaxX=100\nMaxY=100\nMinX=0\nMinY=0\nAutosizeX=1\n"
    "AutosizeY=1\nWidth=300\nHeight=200\nLeft=80\nTop=50\nCanvaswidth=550\nCanvasheight="
    "320\nNiceTicksX=0\nNiceTicksY=0\n"
    "[Title]\nMain=GRAPH TITLE\nX=X AXIS\nY=Y AXIS\n[Sample]\nLeft=390\nTop=50\nShadowsize=3\n"
    "Shadowcolor=clBlack\nFrontcolor=clWhite\n[Gridline]\nLargeX=4\nLargeY=4\nLargewidth=1\n"
    "Largelength=6\nSmallX=5\nSmallY=5\nSmallwidth=0\nSmalllength=4\nLInewidth=1\n[Fonts]\n"
    "Graphtitle->Size=14\nGraphtitle->Color=clWindowText\nGraphtitle->Charset=1\n"
    "Graphtitle->Name=Times New Roman\nGraphtitle->Style=\nTitleX->Size=14\n"
    "TitleX->Color=clWindowText\nTitleX->Charset=1\nTitleX->Name=Times New Roman\nTitleX->Style=\n"
    "TitleY->Size=14\nTitleY->Color=clWindowText\nTitleY->Charset=1\n"
    "TitleY->Name=Times New Roman\nTitleY->Style=\nNum->Size=12\nNum->Color=clWindowText\n"
    "Num->Charset=1\nNum->Name=Times New Roman\nNum->Style=\nSample->Size=12\n"
    "Sample->Color=clWindowText\nSample->Charset=1\nSample->Name=Times New Roman\nSample->Style=\n"
    "[Data]\nDelimiter=space\nDecimalComma=0\n";

std::string CrLf(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

void Load(TfMain& main, const TestDir& dir, int columns) {
    std::string line;
    for (int c = 0; c < columns; ++c) line += std::to_string(c + 1) + " ";
    main.DataOpen.FileName = dir.Write("data.txt", line + "\n" + line + "\n");
    main.DataOpen.DivMark = " ";
    ASSERT_TRUE(main.DataOpen.ReadData());
    main.FillDataGrid();
}

TEST(ConfigFile, AFreshStartGivesTheDefaultFileByteForByte) {
    TestDir dir;
    TfMain main;
    const std::string path = dir.Path("start.kvc");
    ASSERT_TRUE(main.WriteConfigFile(path));
    EXPECT_EQ(ReadWholeFile(path), *Utf8ToCp932(CrLf(kStartFile)));
}

TEST(ConfigFile, SectionsInTheWalkOrderWithDataLoaded) {
    TestDir dir;
    TfMain main;
    Load(main, dir, 2);
    const std::string path = dir.Path("two.kvc");
    ASSERT_TRUE(main.WriteConfigFile(path));
    const std::string text = Cp932ToUtf8(ReadWholeFile(path));
    EXPECT_EQ(text.find("[CheckBox]\r\nLineCheck0=0\r\nSampleCheck0=0\r\nLineCheck1=1\r\n"), 0u)
        << text.substr(0, 200);
    EXPECT_NE(text.find("[Plot]\r\nLineImage0->LineWidth=1\r\nLineImage0->LineColor=clBlack\r\n"
                        "LineImage0->LineType=0\r\nLineImage0->Hokan=補完しない\r\n"
                        "LineImage0->Dimension=5\r\nLineImage0->MarkSize=8\r\n"
                        "LineImage0->MarkType=maru2\r\nLineImage0->MarkColor=clBlack\r\n"
                        "LineImage0->MarkPass=0\r\nLineImage0->AxisX=1\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("[Edit]\r\nLineEdit0=DATA1\r\nLineEdit1=DATA2\r\n[Graph]"),
              std::string::npos);
}

// Every key with a value of its own, the X and Y keys of each axis apart,
// read back into the whole document: a key written from one field and
// read into another (X for Y) cannot pass.
TEST(ConfigFile, EveryKeyRoundTrips) {
    TestDir dir;
    TfMain written;
    Load(written, dir, 3);
    GraphDocument& w = written.Doc;
    SeriesStyle& p = w.Series[2].Style;
    p.LineWidth = 3;
    p.LineWidthPoints = 2.25;
    p.LineColor = RGBColor(0x12, 0x34, 0x56);
    p.LineType = PenStyle::psDashDot;
    p.Hokan = CurveMethod::SplineArea;
    p.Dimension = 7;
    p.MarkSize = 11;
    p.MarkType = MarkKind::Batsu;
    p.MarkColor = clRed;
    p.MarkPass = 4;
    p.AxisX = 2;
    p.ErrorY = 3;
    p.ErrorYMinus = 1;
    p.ErrorX = 2;
    p.ErrorXMinus = 3;
    p.ErrorCap = 5;
    p.AxisY = SeriesStyle::kRightAxis;
    written.LineCheckClick(0, true);
    w.Series[0].InLegend = false;  // stored after the click set it
    w.Series[1].InLegend = false;
    w.Series[1].LegendText = "温度 [℃]";
    w.X() = AxisSettings{AxisKind::Log10,
                         false,
                         -2.75,
                         0.5,
                         false,
                         2,
                         9,
                         "時間 (s)",
                         FontSetting{"Arial", 0, clBlue, 10, false, true, false, false}};
    w.Y() = AxisSettings{AxisKind::Ln,
                         true,
                         1e-7,
                         99.9,
                         true,
                         3,
                         8,
                         "電圧 (V)",
                         FontSetting{"Courier New", 2, clMaroon, 16, true, false, false, true}};
    w.Y2() = AxisSettings{AxisKind::Date,
                          false,
                          1.7e9,
                          1.8e9,
                          true,
                          6,
                          2,
                          "圧力 (hPa)",
                          FontSetting{"Arial", 0, clTeal, 11, false, false, true, false}};
    w.Graph = GraphSettings{.Width = 410,
                            .Height = 190,
                            .Left = 61,
                            .Top = 42,
                            .Canvaswidth = 640,
                            .Canvasheight = 500};
    w.Graph.SetCanvas(LengthUnit::Mm, 85.5, 60);
    w.Title.Main = "表題 x^2@";
    w.TitlePlace = LabelPlace{120, -7};
    w.Y2labelPlace = LabelPlace{600, 80};
    w.Sample = SampleSettings{12, -5, clNavy, 0x80000005, 0, true};
    w.Gridline = GridlineSettings{2, 7, 1, 5, 0};
    w.Fonts.Graphtitle = FontSetting{"Times New Roman", 1, clPurple, 18, true, true, false, false};
    w.Fonts.Num = FontSetting{"ＭＳ Ｐゴシック", 128, clGreen, 9, true, false, true, false};
    w.Fonts.Sample.StrikeOut = true;
    w.Fonts.Sample.Italic = true;
    w.Read = {DataDelimiter::Semicolon, true};
    const std::string path = dir.Path("all.kvc");
    ASSERT_TRUE(written.WriteConfigFile(path));

    TfMain read;
    Load(read, dir, 3);
    ASSERT_TRUE(read.ReadConfigFile(path));
    GraphDocument expected = w;
    expected.Sources = read.Doc.Sources;  // the data are not kept
    EXPECT_TRUE(read.Doc == expected);
    for (AxisIndex axis : {kAxisX, kAxisY, kAxisY2})
        EXPECT_TRUE(read.Doc.Axes[axis] == w.Axes[axis]) << axis;
    EXPECT_TRUE(read.Doc.Series == w.Series);
    EXPECT_EQ(read.LineImage(2).MarkType, MarkKind::Batsu);  // the plot shows the document
    EXPECT_EQ(read.DataOpen.Delimiter(), DataDelimiter::Semicolon);
    EXPECT_TRUE(read.DataOpen.DecimalComma);
    ReadSettings keys;
    ASSERT_TRUE(ConfigFile::ReadDataKeys(keys, path));
    EXPECT_EQ(keys, (ReadSettings{DataDelimiter::Semicolon, true}));
    const std::string text = Cp932ToUtf8(ReadWholeFile(path));
    EXPECT_NE(text.find("Num->Style=Bold Underline\r\n"), std::string::npos);
    EXPECT_NE(text.find("LineImage2->LineColor=0x00563412\r\n"), std::string::npos);
    EXPECT_NE(text.find("Frontcolor=clWindow\r\n"), std::string::npos);
    EXPECT_NE(text.find("AxistypeY2=日時\r\n"), std::string::npos);
    EXPECT_NE(text.find("TitleY2->Color=clTeal\r\n"), std::string::npos);
    EXPECT_NE(text.find("Canvaswidth=323\r\nCanvasheight=227\r\nCanvasUnit=mm\r\n"
                        "CanvasUnitWidth=85.5\r\nCanvasUnitHeight=60\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("LineImage2->LineWidthPt=2.25\r\n"), std::string::npos);
    EXPECT_NE(text.find("MainPlace=120,-7\r\nY2Place=600,80\r\n"), std::string::npos);
    // A canvas in pixels alone, as older files have it, is in pixels.
    const std::string older = dir.Write("older.kvc", "[Graph]\r\nCanvaswidth=500\r\n");
    ASSERT_TRUE(read.ReadConfigFile(older));
    EXPECT_EQ(read.Doc.Graph.CanvasUnit, LengthUnit::Px);
    EXPECT_EQ(read.Doc.Graph.ExactCanvasWidth(), 500);
    EXPECT_EQ(read.Doc.Graph.Canvasheight, 227);
}

TEST(ConfigFile, WritingInPlaceKeepsForeignLines) {
    TestDir dir;
    const std::string path =
        dir.Write("old.kvc",
                  "; my settings\r\n[Edit]\r\nLineEdit9=ten\r\n\r\n[Mine]\r\nkey = kept value\r\n"
                  "[graph]\r\nwidth=17\r\n; comment in a section\r\n");
    TfMain main;
    Load(main, dir, 2);
    ASSERT_TRUE(main.WriteConfigFile(path));
    const std::string text = Cp932ToUtf8(ReadWholeFile(path));
    EXPECT_EQ(text.find("; my settings\r\n[Edit]\r\nLineEdit9=ten\r\nLineEdit0=DATA1\r\n"
                        "LineEdit1=DATA2\r\n\r\n[Mine]\r\nkey = kept value\r\n[graph]\r\n"
                        "width=300\r\n; comment in a section\r\nAxistypeX=線形\r\n"),
              0u)
        << text.substr(0, 300);
    EXPECT_NE(text.find("[CheckBox]"), std::string::npos);
}

TEST(ConfigFile, ABadColourEndsTheReadAfterTheKeysBeforeIt) {
    TestDir dir;
    const std::string path =
        dir.Write("bad.kvc",
                  "[Sample]\r\nLeft=7\r\nShadowsize=9\r\nShadowcolor=reddish\r\n"
                  "Frontcolor=clRed\r\n[Gridline]\r\nLargeX=8\r\n");
    TfMain main;
    try {
        main.ReadConfigFile(path);
        ADD_FAILURE() << "no error";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Text(), "'reddish' は整数ではありません");
    }
    EXPECT_EQ(main.Doc.Sample.Left, 7);
    EXPECT_EQ(main.Doc.Sample.Shadowsize, 9);
    EXPECT_EQ(main.Doc.Sample.Frontcolor, clWhite);
    EXPECT_EQ(main.Doc.X().Large, 4);
}

TEST(ConfigFile, ReadingDetails) {
    TestDir dir;
    // A name of 40 bytes in CP932: cut to 31 without half a character.
    const std::string longName = "ＭＳ Ｐゴシック長い名前のフォント";
    const std::string path = dir.Write(
        "d.kvc", *Utf8ToCp932("[fonts]\r\ngraphtitle->name=" + longName +
                              "\r\nGraphtitle->Style=Underline Bold\r\nTitleX->Size=x\r\n"
                              "[GRAPH]\r\nMaxX=250\r\nLeft=0x10\r\nTop= 12\r\nWidth=\r\n"
                              "[Plot]\r\nLineImage0->LineType=4\r\nLineImage9->MarkSize=3\r\n"));
    TfMain main;
    Load(main, dir, 2);
    main.Doc.Y().TitleFont.Bold = true;  // no Style key: the style is cleared
    ASSERT_TRUE(main.ReadConfigFile(path));
    const std::string cut = Cp932ToUtf8(Cp932Prefix(*Utf8ToCp932(longName), 31));
    EXPECT_EQ(main.Doc.Fonts.Graphtitle.Name, cut);
    EXPECT_LE(Utf8ToCp932(cut)->size(), 31u);
    EXPECT_TRUE(main.Doc.Fonts.Graphtitle.Bold && main.Doc.Fonts.Graphtitle.Underline);
    EXPECT_FALSE(main.Doc.Y().TitleFont.Bold);
    EXPECT_EQ(main.Doc.X().TitleFont.Size, 14);  // not a number: kept
    EXPECT_EQ(main.Doc.X().Max, 250);
    EXPECT_EQ(main.Doc.Graph.Left, 16);
    EXPECT_EQ(main.Doc.Graph.Top, 12);
    EXPECT_EQ(main.Doc.Graph.Width, 300);
    EXPECT_EQ(main.Series(0).Style.LineType, PenStyle::psDashDotDot);
}

// A number beyond what the dialogs and the drawing allow would draw a
// broken picture: the file is refused by its key, and nothing of it is
// applied.
TEST(ConfigFile, ValuesOutsideTheirRangesAreRefused) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
        const char* range;  // "min max"
    } cases[] = {
        {"Graph", "Width", "-300", "20 10000"},
        {"Graph", "Canvaswidth", "-550", "20 10000"},
        {"Graph", "Canvasheight", "0", "20 10000"},
        {"Graph", "Left", "10001", "-10000 10000"},
        {"Sample", "Shadowsize", "2000000000", "0 1000"},
        {"Sample", "Left", "-2147483648", "-10000 10000"},
        {"Gridline", "LargeX", "0", "1 1000"},
        {"Gridline", "Smalllength", "-1", "0 10000"},
        {"Plot", "LineImage0->LineType", "263", "0 6"},
        {"Plot", "LineImage1->MarkSize", "0x7fffffff", "0 10000"},
        {"Plot", "LineImage1->AxisX", "-1", "0 1000"},
        {"Fonts", "Num->Size", "5000", "-1000 1000"},
        {"Plot", "LineImage0->LineWidthPt", "-0.5", "0 750"},
        {"Graph", "CanvasUnitWidth", "5", "20 10000"},
        {"Graph", "CanvasUnitHeight", "half", "20 10000"},
    };
    for (const Case& c : cases) {
        TestDir dir;
        const std::string path =
            dir.Write("h.kvc", std::string("[Title]\r\nMain=changed\r\n[") + c.section + "]\r\n" +
                                   c.key + "=" + c.value + "\r\n");
        TfMain main;
        Load(main, dir, 2);
        const GraphDocument before = main.Doc;
        RecordingMessageSink sink;
        ScopedMessageSink scope(sink);
        EXPECT_FALSE(main.ReadConfigFile(path)) << c.key;
        const std::string range = c.range;
        const std::string shown = std::string(c.value).rfind("0x", 0) == 0 ? "2147483647" : c.value;
        EXPECT_EQ(sink.Texts, std::vector<std::string>{FormatText(
                                  ConfigFile::kOutOfRangeText,
                                  {path, c.section, c.key, shown, range.substr(0, range.find(' ')),
                                   range.substr(range.find(' ') + 1)})})
            << c.key;
        EXPECT_TRUE(main.Doc == before) << c.key;
    }
}

// Names are checked when the file is read: an unknown one refuses the
// file, naming what is allowed; every known one is applied.
TEST(ConfigFile, NamesOfAxisTypesCurveMethodsAndMarksAreChecked) {
    struct Case {
        const char* section;
        const char* key;
        std::string value;
        bool known;
    } cases[] = {
        {"Graph", "AxistypeX", "Linear", false},
        {"Graph", "AxistypeY", "", false},
        {"Plot", "LineImage1->Hokan", "Least squares", false},
        {"Plot", "LineImage1->MarkType", "maru3", false},
        {"Graph", "AxistypeX", "常用対数", true},
        {"Graph", "AxistypeY", "自然対数", true},
        {"Plot", "LineImage1->Hokan", "スプライン（データ範囲のみ）", true},
        {"Plot", "LineImage1->MarkType", "batsu", true},
    };
    for (const Case& c : cases) {
        TestDir dir;
        const std::string path =
            dir.Write("n.kvc", *Utf8ToCp932(std::string("[Title]\r\nMain=changed\r\n[") +
                                            c.section + "]\r\n" + c.key + "=" + c.value + "\r\n"));
        TfMain main;
        Load(main, dir, 2);
        RecordingMessageSink sink;
        ScopedMessageSink scope(sink);
        EXPECT_EQ(main.ReadConfigFile(path), c.known) << c.value;
        if (c.known) {
            EXPECT_TRUE(sink.Texts.empty()) << c.value;
            const std::string applied =
                std::string(c.key) == "AxistypeX"   ? NameOf(main.Doc.X().Type)
                : std::string(c.key) == "AxistypeY" ? NameOf(main.Doc.Y().Type)
                : std::string(c.key).find("Hokan") != std::string::npos
                    ? NameOf(main.Series(1).Style.Hokan)
                    : NameOf(main.Series(1).Style.MarkType);
            EXPECT_EQ(applied, c.value);
            continue;
        }
        EXPECT_NE(main.Doc.Title.Main, "changed") << c.value;
        ASSERT_EQ(sink.Texts.size(), 1u) << c.value;
        const std::string prefix = FormatText("設定ﾌｧｲﾙ %s の [%s] %s=%s は使えません (",
                                              {path, c.section, c.key, c.value});
        EXPECT_EQ(sink.Texts[0].rfind(prefix, 0), 0u) << sink.Texts[0];
    }
    // The allowed names are listed.
    TestDir dir;
    const std::string path = dir.Write("m.kvc", "[Plot]\r\nLineImage1->MarkType=x\r\n");
    TfMain main;
    Load(main, dir, 2);
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    EXPECT_FALSE(main.ReadConfigFile(path));
    EXPECT_EQ(sink.Texts, std::vector<std::string>{FormatText(
                              ConfigFile::kUnknownNameText,
                              {path, "Plot", "LineImage1->MarkType", "x",
                               "no, maru, shikaku, sankaku, maru2, shikaku2, sankaku2, batsu"})});
}

TEST(ConfigFile, ADelimiterOfNoKnownNameRefusesTheFile) {
    TestDir dir;
    const std::string path =
        dir.Write("d.kvc", "[Title]\r\nMain=x\r\n[Data]\r\nDelimiter=pipe\r\n");
    TfMain main;
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    const std::string refusal = FormatText(ConfigFile::kUnknownDelimiterText, {path, "pipe"});
    EXPECT_FALSE(main.ReadConfigFile(path));
    EXPECT_NE(main.Doc.Title.Main, "x");
    ReadSettings keys;
    EXPECT_FALSE(ConfigFile::ReadDataKeys(keys, path));
    EXPECT_EQ(sink.Texts, (std::vector<std::string>{refusal, refusal}));
}

// Settings that reading itself shapes (a name cut to 31 bytes ending in a
// blank, quotes taken off a value) read back the same after a save.
TEST(ConfigFile, WhatWasReadSurvivesASave) {
    TestDir dir;
    const std::string path = dir.Write(
        "w.kvc",
        "[Fonts]\r\nSample->Name=TiDFMingmes New>Name=Times New Roman\r\n"
        "Num->Name=Times New "
        "Rom\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01 x\r\n"
        "[Edit]\r\nLineEdit0=\"\"two quotes\"\"\r\nLineEdit1=' x '\r\n"
        "[Title]\r\nMain=\"  \"\r\n");
    TfMain main;
    Load(main, dir, 3);
    ASSERT_TRUE(main.ReadConfigFile(path));
    EXPECT_EQ(main.Doc.Fonts.Sample.Name, "TiDFMingmes New>Name=Times New ");
    EXPECT_EQ(main.Series(0).LegendText, "\"two quotes\"");
    EXPECT_EQ(main.Series(1).LegendText, " x ");
    EXPECT_EQ(main.Doc.Title.Main, "  ");
    const std::string copy = dir.Path("copy.kvc");
    ASSERT_TRUE(main.WriteConfigFile(copy));
    TfMain again;
    Load(again, dir, 3);
    ASSERT_TRUE(again.ReadConfigFile(copy));
    EXPECT_EQ(again.Doc.Fonts, main.Doc.Fonts);
    EXPECT_EQ(again.Doc.Title, main.Doc.Title);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(again.Series(k).LegendText, main.Series(k).LegendText) << k;
}

TEST(ConfigFile, TenColumnsAppliedToFive) {
    TestDir dir;
    TfMain ten;
    Load(ten, dir, 10);
    for (int k = 0; k < 10; ++k) ten.Series(k).Style.MarkSize = 20 + k;
    const std::string path = dir.Path("ten.kvc");
    ASSERT_TRUE(ten.WriteConfigFile(path));
    TfMain five;
    Load(five, dir, 5);
    ASSERT_TRUE(five.ReadConfigFile(path));
    for (int k = 0; k < 5; ++k) EXPECT_EQ(five.Series(k).Style.MarkSize, 20 + k);
    // Saving the five over it keeps the keys of columns 5 to 9.
    ASSERT_TRUE(five.WriteConfigFile(path));
    EXPECT_NE(Cp932ToUtf8(ReadWholeFile(path)).find("LineImage9->MarkSize=29"), std::string::npos);
}

// Columns beyond the old fifty are keys like the others.
TEST(ConfigFile, TwoHundredColumnsRoundTrip) {
    TestDir dir;
    TfMain wide;
    Load(wide, dir, 200);
    for (int k = 0; k < 200; ++k) wide.Series(k).Style.MarkSize = k % 50 + 1;
    wide.Series(199).Style.MarkType = MarkKind::Batsu;
    const std::string path = dir.Path("wide.kvc");
    ASSERT_TRUE(wide.WriteConfigFile(path));
    EXPECT_NE(Cp932ToUtf8(ReadWholeFile(path)).find("LineImage199->MarkType=batsu"),
              std::string::npos);
    TfMain again;
    Load(again, dir, 200);
    ASSERT_TRUE(again.ReadConfigFile(path));
    for (int k = 0; k < 200; ++k) EXPECT_EQ(again.Series(k).Style.MarkSize, k % 50 + 1) << k;
    EXPECT_EQ(again.Series(199).Style.MarkType, MarkKind::Batsu);
}

TEST(ConfigFile, AMissingFileChangesNothing) {
    TestDir dir;
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    TfMain main;
    main.Doc.Fonts.Num.Bold = true;
    // A named pipe is refused at once, not waited on.
    const std::pair<std::string, const char*> cases[] = {
        {dir.Path("none.kvc"), "ﾌｧｲﾙがありません"},
        {dir.Root(), "%s はﾌｫﾙﾀﾞです"},
        {dir.MakeFifo("p.kvc"), "%s は通常のﾌｧｲﾙではありません"}};
    for (const auto& [path, text] : cases) {
        sink.Texts.clear();
        EXPECT_FALSE(main.ReadConfigFile(path)) << path;
        EXPECT_EQ(sink.Texts, std::vector<std::string>{FormatText(text, {path})}) << path;
        EXPECT_TRUE(main.Doc.Fonts.Num.Bold);
    }
}

}  // namespace
