
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cstring>

#include "TestSupport.h"
#include "platform/EmfWriter.h"
#include "platform/MetafileRecords.h"
#include "platform/RaisedError.h"
#include "platform/WmfWriter.h"
#include "platform/Canvas.h"
#include "platform/Cp932.h"

namespace {

// A fixed picture at an odd size with every kind of operation.
Picture Sample() {
    Picture p;
    p.SetSize(333, 211);
    Canvas c(p);
    c.Pen = TPen{clRed, PenStyle::psSolid, 1};
    c.MoveTo(10, 10);
    c.LineTo(300, 10);
    c.LineTo(300, 200);
    c.Pen = TPen{clBlue, PenStyle::psDash, 1};
    c.MoveTo(10, 150);
    c.LineTo(200, 150);
    c.Pen = TPen{clBlack, PenStyle::psSolid, 2};
    c.Brush = TBrush{clYellow, BrushStyle::bsSolid};
    c.Rectangle(20, 20, 80, 60);
    c.Ellipse(100, 20, 140, 60);
    const PixelPoint triangle[] = {{200, 20}, {180, 60}, {220, 60}};
    c.Polygon(triangle, 3);
    c.Brush = TBrush{clLime, BrushStyle::bsSolid};
    c.FillRect({250, 100, 280, 130});
    c.Font.FaceName = "Times New Roman";
    c.Font.Height = -19;
    c.Font.Color = clBlack;
    c.TextOut(30, 80, "Title 123");
    c.Font.FaceName = "ＭＳ Ｐゴシック";
    c.TextOut(30, 110, "温度と電圧");
    c.Font.Escapement = 900;
    c.TextOut(5, 200, "Y AXIS");
    return p;
}

struct Converted {
    int exitCode = -1;
    std::string svg;
};

Converted Convert(const QString& program, const QStringList& args, const std::string& output) {
    QProcess process;
    process.start(program, args);
    Converted result;
    if (!process.waitForFinished(60000)) return result;
    result.exitCode = process.exitCode();
    result.svg = ReadWholeFile(output);
    return result;
}

// The text contents of an SVG.
std::string Texts(const std::string& svg) {
    std::string all;
    static const QRegularExpression text(R"(<text[^>]*>\s*(?:<!\[CDATA\[)?([^<\]]*))");
    auto it = text.globalMatch(QString::fromStdString(svg));
    while (it.hasNext()) all += it.next().captured(1).toStdString() + "|";
    return all;
}

std::uint32_t U32(const std::string& b, std::size_t at) {
    std::uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

std::uint16_t U16(const std::string& b, std::size_t at) {
    std::uint16_t v;
    std::memcpy(&v, b.data() + at, 2);
    return v;
}

TEST(EmfBytes, HeaderAndARoundTripThroughAnIndependentReader) {
    const std::string emf = EmfBytes(Sample());
    EXPECT_EQ(U32(emf, 0), 1u);                      // EMR_HEADER
    EXPECT_EQ(U32(emf, 40), 0x464D4520u);            // " EMF"
    EXPECT_EQ(U32(emf, 48), emf.size());             // nBytes
    EXPECT_EQ(std::int32_t(U32(emf, 16)), 332);      // bounds, inclusive
    EXPECT_EQ(std::int32_t(U32(emf, 20)), 210);
    EXPECT_EQ(std::int32_t(U32(emf, 32)), 8811 - 1);  // frame right: 333 px in 0.01 mm
    EXPECT_EQ(std::int32_t(U32(emf, 36)), 5583 - 1);  // frame bottom: 211 px
    TestDir dir;
    const std::string in = dir.Write("s.emf", emf), out = dir.Path("s.svg");
    const Converted c = Convert("emf2svg-conv", {"-i", QString::fromStdString(in), "-o",
                                                 QString::fromStdString(out)},
                                out);
    ASSERT_EQ(c.exitCode, 0);
    EXPECT_NE(c.svg.find("width=\"332.0000\" height=\"210.0000\""), std::string::npos)
        << c.svg.substr(0, 300);
    const std::string texts = Texts(c.svg);
    EXPECT_NE(texts.find("Title 123"), std::string::npos) << texts;
    EXPECT_NE(texts.find("温度と電圧"), std::string::npos) << texts;
    EXPECT_NE(texts.find("Y AXIS"), std::string::npos) << texts;
    EXPECT_NE(c.svg.find("rotate(-90"), std::string::npos);
    EXPECT_NE(c.svg.find("#FF0000"), std::string::npos);  // the red pen
    EXPECT_NE(c.svg.find("#FFFF00"), std::string::npos);  // the yellow brush
}

TEST(WmfBytes, PlaceableHeaderAndARoundTripThroughAnIndependentReader) {
    const std::string wmf = WmfBytes(Sample());
    EXPECT_EQ(U32(wmf, 0), 0x9AC6CDD7u);  // placeable key
    EXPECT_EQ(U16(wmf, 6), 0);
    EXPECT_EQ(U16(wmf, 10), 8811);       // 333 px in hundredths of a millimetre
    EXPECT_EQ(U16(wmf, 12), 5583);
    EXPECT_EQ(U16(wmf, 14), 2540);       // units per inch
    std::uint16_t checksum = 0;
    for (int i = 0; i < 10; ++i) checksum ^= U16(wmf, std::size_t(2 * i));
    EXPECT_EQ(U16(wmf, 20), checksum);
    EXPECT_EQ(U32(wmf, 22 + 6) * 2, wmf.size() - 22);  // size in words
    TestDir dir;
    const std::string in = dir.Write("s.wmf", wmf), out = dir.Path("s.svg");
    const Converted c = Convert("wmf2svg", {"-o", QString::fromStdString(out),
                                            QString::fromStdString(in)},
                                out);
    ASSERT_EQ(c.exitCode, 0);
    // The reader writes the Shift-JIS bytes as they are.
    const std::string svg = Cp932ToUtf8(c.svg);
    const std::string texts = Texts(svg);
    EXPECT_NE(texts.find("Title 123"), std::string::npos) << texts;
    EXPECT_NE(texts.find("温度と電圧"), std::string::npos) << texts;
    EXPECT_NE(texts.find("Y AXIS"), std::string::npos) << texts;
    static const QRegularExpression size(R"re(<svg width="(\d+)" height="(\d+)")re");
    const auto m = size.match(QString::fromStdString(svg));
    ASSERT_TRUE(m.hasMatch());
    EXPECT_NEAR(m.captured(1).toDouble() / m.captured(2).toDouble(), 333.0 / 211, 0.01);
}

// A record libUEMF could not build fails the file instead of leaving a
// hole in the picture.
TEST(RecordBuffer, AMissingRecordFailsTheFile) {
    RecordBuffer records;
    const char record[4] = {1, 2, 3, 4};
    records.Append(record, 4);
    EXPECT_EQ(records.Records(), 1u);
    try {
        records.Append(nullptr, 0);
        ADD_FAILURE() << "no error raised";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Text(), "ﾒﾀﾌｧｲﾙのﾚｺｰﾄﾞを作成できません");
    }
}

}  // namespace
