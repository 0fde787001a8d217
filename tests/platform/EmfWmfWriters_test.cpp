
#include <gtest/gtest.h>
#include <QProcess>
#include <QRegularExpression>

#include <cstring>
#include <set>

#include "TestSupport.h"
#include "platform/Canvas.h"
#include "platform/Cp932.h"
#include "platform/EmfWriter.h"
#include "platform/MetafileRecords.h"
#include "platform/PdfWriter.h"
#include "platform/RaisedError.h"
#include "platform/WmfWriter.h"

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
    EXPECT_EQ(U32(emf, 0), 1u);                  // EMR_HEADER
    EXPECT_EQ(U32(emf, 40), 0x464D4520u);        // " EMF"
    EXPECT_EQ(U32(emf, 48), emf.size());         // nBytes
    EXPECT_EQ(std::int32_t(U32(emf, 16)), 332);  // bounds, inclusive
    EXPECT_EQ(std::int32_t(U32(emf, 20)), 210);
    EXPECT_EQ(std::int32_t(U32(emf, 32)), 8811 - 1);  // frame right: 333 px in 0.01 mm
    EXPECT_EQ(std::int32_t(U32(emf, 36)), 5583 - 1);  // frame bottom: 211 px
    TestDir dir;
    const std::string in = dir.Write("s.emf", emf), out = dir.Path("s.svg");
    const Converted c = Convert(
        "emf2svg-conv", {"-i", QString::fromStdString(in), "-o", QString::fromStdString(out)}, out);
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
    EXPECT_EQ(U16(wmf, 10), 8811);  // 333 px in hundredths of a millimetre
    EXPECT_EQ(U16(wmf, 12), 5583);
    EXPECT_EQ(U16(wmf, 14), 2540);  // units per inch
    std::uint16_t checksum = 0;
    for (int i = 0; i < 10; ++i) checksum ^= U16(wmf, std::size_t(2 * i));
    EXPECT_EQ(U16(wmf, 20), checksum);
    EXPECT_EQ(U32(wmf, 22 + 6) * 2, wmf.size() - 22);  // size in words
    TestDir dir;
    const std::string in = dir.Write("s.wmf", wmf), out = dir.Path("s.svg");
    const Converted c =
        Convert("wmf2svg", {"-o", QString::fromStdString(out), QString::fromStdString(in)}, out);
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

// Readers begin a path at a move, drop lines after a pen change that has
// no move of its own, fill any path with the brush in effect and draw
// pattern blits black: each run of lines is its pen, a move, its lines,
// drawn with the empty brush, and fills are rectangles.
TEST(MetafileRecords, RunsOfLinesFollowTheirPenAndUseNoBrush) {
    struct Walk {
        std::set<std::uint32_t> pens, brushes, emptyBrushes;
        std::uint32_t brush = 0;
        bool penAfterMove = false, lines = false;
        void Select(std::uint32_t object) {
            if (pens.count(object)) penAfterMove = true;
            if (brushes.count(object) || emptyBrushes.count(object)) brush = object;
        }
        // Lines from the current position, or polylines with their own start.
        void Line(bool fromPosition) {
            lines = true;
            if (fromPosition) {
                EXPECT_FALSE(penAfterMove) << "a pen between a move and its lines";
            }
            EXPECT_TRUE(emptyBrushes.count(brush)) << "lines drawn with brush " << brush;
        }
    };
    {
        const std::string emf = EmfBytes(Sample());
        Walk walk;
        walk.emptyBrushes = {0x80000005u};  // the stock empty brush
        for (std::size_t at = 0; at < emf.size(); at += U32(emf, at + 4)) {
            switch (U32(emf, at)) {
                case 38:  // CREATEPEN
                case 95:  // EXTCREATEPEN
                    walk.pens.insert(U32(emf, at + 8));
                    break;
                case 39:  // CREATEBRUSHINDIRECT
                    walk.brushes.insert(U32(emf, at + 8));
                    break;
                case 37:  // SELECTOBJECT
                    walk.Select(U32(emf, at + 8));
                    break;
                case 27:  // MOVETOEX
                    walk.penAfterMove = false;
                    break;
                case 54:
                case 6:
                case 89:  // LINETO, POLYLINETO, POLYLINETO16
                    walk.Line(true);
                    break;
                case 7:
                case 90:  // POLYPOLYLINE, POLYPOLYLINE16
                    walk.Line(false);
                    break;
            }
        }
        EXPECT_TRUE(walk.lines);
    }
    {
        const std::string wmf = WmfBytes(Sample());
        Walk walk;
        std::vector<bool> used;
        auto create = [&] {
            std::size_t slot = 0;
            while (slot < used.size() && used[slot]) ++slot;
            if (slot == used.size()) used.push_back(false);
            used[slot] = true;
            return std::uint32_t(slot);
        };
        for (std::size_t at = 22 + 18; at < wmf.size(); at += 2 * std::size_t(U32(wmf, at))) {
            const std::uint16_t function = U16(wmf, at + 4);
            EXPECT_NE(function, 0x061D) << "a pattern blit";
            switch (function) {
                case 0x02FA:  // CREATEPENINDIRECT
                    walk.pens.insert(create());
                    break;
                case 0x02FC:  // CREATEBRUSHINDIRECT
                    // BS_NULL: the empty brush
                    (U16(wmf, at + 6) == 1 ? walk.emptyBrushes : walk.brushes).insert(create());
                    break;
                case 0x02FB:  // CREATEFONTINDIRECT
                    create();
                    break;
                case 0x01F0: {  // DELETEOBJECT
                    const std::uint16_t object = U16(wmf, at + 6);
                    used[object] = false;
                    walk.pens.erase(object);
                    walk.brushes.erase(object);
                    walk.emptyBrushes.erase(object);
                    break;
                }
                case 0x012D:  // SELECTOBJECT
                    walk.Select(U16(wmf, at + 6));
                    break;
                case 0x0214:  // MOVETO
                    walk.penAfterMove = false;
                    break;
                case 0x0213:  // LINETO
                    walk.Line(true);
                    break;
                case 0x0325:  // POLYLINE
                    walk.Line(false);
                    break;
            }
        }
        EXPECT_TRUE(walk.lines);
    }
}

// Qt writes whole points; the page box is the canvas to the quarter point
// (551 x 321 pixels are 413.25 x 240.75 points) and the cross-reference
// table still finds every object.
TEST(PdfBytes, ThePageIsTheCanvasExactly) {
    Picture picture = Sample();
    picture.SetSize(551, 321);
    const QByteArray pdf = PdfBytes(picture);
    static const QRegularExpression box(R"(/MediaBox \[([^\]]*)\])");
    const auto m = box.match(QString::fromLatin1(pdf));
    ASSERT_TRUE(m.hasMatch());
    const QStringList v = m.captured(1).simplified().split(' ');
    ASSERT_EQ(v.size(), 4);
    EXPECT_DOUBLE_EQ(v[2].toDouble() - v[0].toDouble(), 413.25);
    EXPECT_DOUBLE_EQ(v[3].toDouble() - v[1].toDouble(), 240.75);
    const qsizetype startxref = pdf.lastIndexOf("startxref\n");
    const qsizetype xref = pdf.mid(startxref + 10).split('\n')[0].trimmed().toLongLong();
    ASSERT_TRUE(pdf.mid(xref, 4) == "xref");
    const QList<QByteArray> lines = pdf.mid(xref).split('\n');
    const int count = lines[1].split(' ')[1].toInt();
    for (int k = 1; k < count; ++k) {
        const QByteArray& entry = lines[2 + k];
        if (entry.size() > 17 && entry[17] == 'n') {
            EXPECT_TRUE(
                pdf.mid(entry.left(10).toLongLong()).startsWith(QByteArray::number(k) + " 0 obj"))
                << "object " << k;
        }
    }
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
