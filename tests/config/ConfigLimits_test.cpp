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
            EXPECT_NE(svg.find("width=\"" + std::to_string(main.Doc.Graph.Canvaswidth) + "px\""),
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
