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
    p.LineColor = RGBColor(0x12, 0x34, 0x56);
    p.LineType = PenStyle::psDashDot;
    p.Hokan = CurveMethod::SplineArea;
    p.Dimension = 7;
    p.MarkSize = 11;
    p.MarkType = MarkKind::Batsu;
    p.MarkColor = clRed;
    p.MarkPass = 4;
    p.AxisX = 2;
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
    w.Graph = GraphSettings{.Width = 410,
                            .Height = 190,
                            .Left = 61,
                            .Top = 42,
                            .Canvaswidth = 640,
                            .Canvasheight = 500};
    w.Title.Main = "表題 x^2@";
    w.Sample = SampleSettings{12, -5, clNavy, 0x80000005, 0};
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
    for (bool xAxis : {true, false})
        EXPECT_TRUE(read.Doc.Axis(xAxis) == w.Axis(xAxis)) << (xAxis ? "X" : "Y");
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

TEST(ConfigFile, ColoursByNameInAnyCaseAndByNumber) {
    struct Case {
        const char* text;
        TColor color;
    } cases[] = {{"clRed", clRed},         {"CLRED", clRed}, {"clwindowtext", clWindowText},
                 {"0x00563412", 0x563412}, {"$FF", 0xFF},    {"255", 255},
                 {"cl3DLight", 0x80000016}};
    for (const Case& c : cases) {
        TestDir dir;
        const std::string path =
            dir.Write("c.kvc", std::string("[Sample]\r\nShadowcolor=") + c.text + "\r\n");
        TfMain main;
        ASSERT_TRUE(main.ReadConfigFile(path));
        EXPECT_EQ(main.Doc.Sample.Shadowcolor, c.color) << c.text;
    }
    EXPECT_EQ(ColorToText(clRed), "clRed");
    EXPECT_EQ(ColorToText(clNone), "clNone");
    EXPECT_EQ(ColorToText(0x563412), "0x00563412");
    EXPECT_EQ(ColorToText(0x80000030), "0x80000030");
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

TEST(ConfigFile, ATextTheFileCannotHoldRefusesTheSave) {
    // A character without CP932 code, and a line break, which would end the
    // line and make the rest of the text a line of its own.
    for (const std::string title : {"Temperature 😀", "two\n[Graph]\nWidth=9999"}) {
        TestDir dir;
        RecordingMessageSink sink;
        ScopedMessageSink scope(sink);
        const std::string path = dir.Write("keep.kvc", "[Title]\r\nMain=old\r\n");
        TfMain main;
        main.Doc.Title.Main = title;
        EXPECT_FALSE(main.WriteConfigFile(path));
        EXPECT_EQ(sink.Texts, std::vector<std::string>{
                                  "'" + title + "' は設定ﾌｧｲﾙに保存できない文字を含んでいます"});
        EXPECT_EQ(ReadWholeFile(path), "[Title]\r\nMain=old\r\n");
    }
}

TEST(ConfigFile, AFailedSaveLeavesTheOldFile) {
    TestDir dir;
    const std::string blocked = dir.Write("file", "x") + "/c.kvc";
    TfMain main;
    try {
        main.WriteConfigFile(blocked);
        ADD_FAILURE() << "no error";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Text(), blocked + " に書き込めません (ﾊﾟｽの途中にﾌｫﾙﾀﾞでないものがあります)");
    }
}

// A configuration goes only where a configuration may: a text without any
// section is taken for data named by a slip and kept, unless named ".kvc";
// the window asks first, and the data file in use is never written over.
TEST(ConfigFile, NeverWrittenOverDataOrOtherKindsOfFile) {
    struct Case {
        const char* name;
        const char* bytes;  // nullptr: a named pipe
        bool replaceForeign;
        const char* refusal;  // as a message, or raised; "" when written
    };
    const Case cases[] = {
        {"data2.txt", "1 2\r\n3 4\r\n", false, ConfigFile::kForeignTargetText},
        {"notes", "# measured 2026-12-01\n", false, ConfigFile::kForeignTargetText},
        {"data3.txt", "1 2\r\n3 4\r\n", true, ""},
        {"typed.KVC", "1 2\n", false, ""},
        {"empty.txt", "", false, ""},
        {"blank.txt", "\r\n  \r\n", false, ""},
        {"old.ini", "[Graph]\nWidth=300\n", false, ""},
        {"d.txt", "0 1\n1 2\n", true, kDataTargetText},
        {"pipe.kvc", nullptr, false, kNotPlainTargetText},
    };
    for (const Case& c : cases) {
        TestDir dir;
        const std::string path = c.bytes ? dir.Write(c.name, c.bytes) : dir.MakeFifo(c.name);
        TfMain main;
        main.DataOpen.FileName = dir.Write("d.txt", "0 1\n1 2\n");
        ASSERT_TRUE(main.DataOpen.ReadData());
        main.FillDataGrid();
        RecordingMessageSink sink;
        ScopedMessageSink scope(sink);
        std::string refused;
        bool written = false;
        try {
            written = main.WriteConfigFile(path, c.replaceForeign);
        } catch (const RaisedError& e) {
            refused = e.Text();
        }
        if (!sink.Texts.empty()) refused = sink.Texts.front();
        EXPECT_EQ(refused, *c.refusal ? FormatText(c.refusal, {path}) : "") << c.name;
        EXPECT_EQ(written, !*c.refusal) << c.name;
        if (*c.refusal && c.bytes) {
            EXPECT_EQ(ReadWholeFile(path), c.bytes) << c.name;
        }
        if (!*c.refusal) {
            EXPECT_NE(ReadWholeFile(path).find("[Graph]"), std::string::npos);
        }
    }
}

// The menu commands and the quick re-read of the tool button.
class ConfigDesktop : public Desktop {
  public:
    std::string open, save;
    std::vector<OpenFileRequest> opens;
    std::optional<OpenFileResult> OpenFile(const OpenFileRequest& r) override {
        opens.push_back(r);
        if (open.empty()) return std::nullopt;
        return OpenFileResult{{open}, 1};
    }
    DataOpenChoice ShowDataOpenForm(const std::vector<std::string>&,
                                    const DataOpenChoice&) override {
        return {};
    }
    std::optional<SaveFileResult> SaveFile(const SaveFileRequest&) override {
        return SaveFileResult{save, 1};
    }
    bool Confirm(const std::string& question) override {
        questions.push_back(question);
        return answer;
    }
    bool answer = true;
    std::vector<std::string> questions;
};

TEST(ConfigCommands, SaveReadAndQuickRead) {
    TestDir dir;
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    TfMain main;
    Load(main, dir, 3);
    ConfigDesktop desktop;
    desktop.save = dir.Path("look");
    main.Doc.X().Large = 6;
    main.menuConfigFileWriteClick(desktop);
    EXPECT_NE(ReadWholeFile(dir.Path("look.kvc")).find("LargeX=6"), std::string::npos);

    main.Doc.X().Large = 2;
    desktop.open = dir.Path("look.kvc");
    EXPECT_FALSE(main.Enabling().ConfigReadButton);
    main.menuConfigFileReadClick(desktop);
    EXPECT_EQ(main.Doc.X().Large, 6);
    EXPECT_TRUE(main.Enabling().ConfigReadButton);
    EXPECT_TRUE(main.Enabling().menuGraphSave);  // the read redraws
    EXPECT_EQ(desktop.opens[0].Filter, TfMain::kConfigFilter);

    main.Doc.X().Large = 3;
    main.menuConfigFileReadClick(desktop, TfMain::kQuickReadTag);
    EXPECT_EQ(main.Doc.X().Large, 6);
    EXPECT_EQ(desktop.opens.size(), 1u);  // no dialog
    EXPECT_TRUE(desktop.questions.empty());

    // A text that is no configuration is replaced only when the user says so.
    const std::string notes = dir.Write("notes.txt", "1 2\n3 4\n");
    desktop.save = notes;
    for (const bool answer : {false, true}) {
        desktop.answer = answer;
        main.menuConfigFileWriteClick(desktop);
        EXPECT_EQ(desktop.questions.back(), FormatText(ConfigFile::kReplaceForeignText, {notes}));
        EXPECT_EQ(ReadWholeFile(notes).find("[Graph]") != std::string::npos, answer);
    }
}

}  // namespace

namespace {

// A folder is no configuration file: reported as missing, nothing changes.
TEST(ConfigFile, AFolderChangesNothing) {
    TestDir dir;
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    TfMain main;
    main.Doc.Title.Main = "mine";
    EXPECT_FALSE(main.ReadConfigFile(dir.Root()));
    EXPECT_EQ(sink.Texts, std::vector<std::string>{dir.Root() + " はﾌｫﾙﾀﾞです"});
    EXPECT_EQ(main.Doc.Title.Main, "mine");
}

}  // namespace

namespace {

// Every numeric key at its limits, beyond them, negative and huge: a file
// is either refused by name with nothing applied, or drawn and exported to
// a picture of the canvas size, without a warning of the painter.
TEST(ConfigFile, EveryNumberAtAndBeyondItsLimitsDrawsOrIsRefused) {
    struct Key {
        const char* section;
        const char* key;
        int min, max;
    } keys[] = {
        {"Graph", "Width", 20, 10000},
        {"Graph", "Height", 20, 10000},
        {"Graph", "Left", -10000, 10000},
        {"Graph", "Top", -10000, 10000},
        {"Graph", "Canvaswidth", 20, 10000},
        {"Graph", "Canvasheight", 20, 10000},
        {"Graph", "MaxX", -2000000000, 2000000000},
        {"Graph", "MinY", -2000000000, 2000000000},
        {"Sample", "Left", -10000, 10000},
        {"Sample", "Top", -10000, 10000},
        {"Sample", "Shadowsize", 0, 1000},
        {"Gridline", "LargeX", 1, 1000},
        {"Gridline", "LargeY", 1, 1000},
        {"Gridline", "SmallX", 1, 1000},
        {"Gridline", "SmallY", 1, 1000},
        {"Gridline", "Largewidth", 0, 1000},
        {"Gridline", "Smallwidth", 0, 1000},
        {"Gridline", "LInewidth", 0, 1000},
        {"Gridline", "Largelength", 0, 10000},
        {"Gridline", "Smalllength", 0, 10000},
        {"Fonts", "Graphtitle->Size", -1000, 1000},
        {"Fonts", "Num->Size", -1000, 1000},
        {"Fonts", "Sample->Charset", 0, 255},
        {"Plot", "LineImage1->LineWidth", 0, 1000},
        {"Plot", "LineImage1->LineType", 0, 6},
        {"Plot", "LineImage1->MarkSize", 0, 10000},
        {"Plot", "LineImage1->MarkPass", 0, 2147483647},
        {"Plot", "LineImage1->AxisX", 0, 1000},
        {"Plot", "LineImage1->Dimension", 0, 10},
    };
    static std::vector<std::string> warnings;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type != QtDebugMsg && type != QtInfoMsg) warnings.push_back(text.toStdString());
        });
    TestDir dir;
    int drawn = 0, refused = 0;
    for (const Key& k : keys) {
        const long long values[] = {k.min, k.max,     k.min - 1LL, k.max + 1LL, -1,
                                    0,     INT32_MIN, INT32_MAX,   4000000000LL};
        for (const long long value : values) {
            const std::string label = std::string(k.key) + "=" + std::to_string(value);
            const std::string path = dir.Write(
                "s.kvc",
                *Utf8ToCp932(std::string("[Plot]\r\nLineImage1->Hokan=最小二乗法\r\n"
                                         "LineImage1->Dimension=2\r\n[") +
                             k.section + "]\r\n" + k.key + "=" + std::to_string(value) + "\r\n"));
            TfMain main;
            main.DataOpen.FileName = dir.Write("s.txt", "1 2 5\n2 4 3\n3 1 4\n4 7 2\n");
            main.DataOpen.DivMark = " ";
            ASSERT_TRUE(main.DataOpen.ReadData());
            main.FillDataGrid();
            RecordingMessageSink sink;
            ScopedMessageSink scope(sink);
            warnings.clear();
            const GraphDocument before = main.Doc;
            bool read = false;
            ASSERT_TRUE(RunCommand([&] { read = main.ReadConfigFile(path); })) << label;
            const bool inRange = value >= k.min && value <= k.max;
            if (!read) {
                ++refused;
                EXPECT_FALSE(inRange) << label;
                ASSERT_EQ(sink.Texts.size(), 1u) << label;
                EXPECT_NE(sink.Texts[0].find(k.key), std::string::npos) << label;
                EXPECT_TRUE(main.Doc == before) << label;
                continue;
            }
            bool ok = false;
            ASSERT_TRUE(RunCommand([&] { ok = main.DrawGraph(false); })) << label;
            if (!ok) {
                EXPECT_FALSE(sink.Texts.empty()) << label;  // never refused in silence
                continue;
            }
            ++drawn;
            const std::string svg = SvgBytes(main.ComposeGraph()).toStdString();
            EXPECT_NE(svg.find("width=\"" + std::to_string(main.Doc.Graph.Canvaswidth) + "\""),
                      std::string::npos)
                << label;
            EXPECT_GT(EmfBytes(main.ComposeGraph()).size(), 100u) << label;
            EXPECT_EQ(warnings, std::vector<std::string>{}) << label;
        }
    }
    qInstallMessageHandler(previous);
    EXPECT_GT(drawn, 100);
    EXPECT_GT(refused, 50);
}

}  // namespace
