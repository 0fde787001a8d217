// The saved graph as the programs users open it in draw it: Inkscape and
// LibreOffice render the EMF and the WMF of a reference graph, librsvg the
// SVG and poppler the PDF, and each rendering must show what the BMP shows.
// The metafile readers are skipped where they are not installed
// (scripts/test installs them).
#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cmath>
#include <functional>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "platform/MessageSink.h"
#include "plot/TPlot.h"

namespace {

constexpr int kLeft = 80, kTop = 50, kWidth = 400, kHeight = 300;

// Every mark type, solid, dashed, dotted and wide lines, minor ticks, a
// turned Y label with superscripts and a Japanese legend.
void SaveReferenceGraph(const TestDir& dir) {
    std::string data = "x 正弦 破線 点線 一点鎖線 二点鎖線 二乗 太線 三角\n";
    for (int i = 0; i <= 20; ++i) {
        const double x = i * 0.5;
        char row[256];
        std::snprintf(row, sizeof row, "%g %.4f 9 1 %.4f %.4f %.4f %.4f %.4f\n", x,
                      std::sin(x) * 3 + 5, 3.0, std::log(x + 1) * 2 + 2, x * x / 12, x * 0.8,
                      std::fabs(std::fmod(x, 4) - 2) * 2 + 2);
        data += row;
    }
    TfMain main;
    main.DataOpen.FileName = dir.Write("ref.txt", data);
    main.DataOpen.DivMark = " ";
    main.DataOpen.ReadTitle = true;
    ASSERT_TRUE(main.DataOpen.ReadData());
    main.FillDataGrid();
    struct Series {
        MarkKind mark;
        PenStyle style;
        TColor color;
        int width;
        CurveMethod curve;
    } series[] = {
        {MarkKind::Maru, PenStyle::psSolid, clBlack, 1, CurveMethod::Spline},
        {MarkKind::No, PenStyle::psDash, clRed, 1, CurveMethod::None},
        {MarkKind::Batsu, PenStyle::psDot, clBlue, 1, CurveMethod::None},
        {MarkKind::No, PenStyle::psDashDot, clGreen, 1, CurveMethod::Spline},
        {MarkKind::Shikaku, PenStyle::psDashDotDot, clPurple, 1, CurveMethod::None},
        {MarkKind::Shikaku2, PenStyle::psSolid, clTeal, 1, CurveMethod::None},
        {MarkKind::Sankaku, PenStyle::psSolid, clOlive, 3, CurveMethod::None},
        {MarkKind::Sankaku2, PenStyle::psSolid, clGray, 1, CurveMethod::None},
    };
    for (int n = 1; n <= 8; ++n) {
        SeriesStyle& p = main.Series(n).Style;
        const Series& s = series[n - 1];
        p.MarkType = s.mark;
        p.LineType = s.style;
        p.LineColor = p.MarkColor = s.color;
        p.LineWidth = s.width;
        p.Hokan = s.curve;
    }
    main.Doc.Graph.Width = kWidth;
    main.Doc.Graph.Height = kHeight;
    main.Doc.Graph.Left = kLeft;
    main.Doc.Graph.Top = kTop;
    main.Doc.Graph.Canvaswidth = 680;
    main.Doc.Graph.Canvasheight = 420;
    main.Doc.Y().Autosize = false;
    main.Doc.Y().Min = 0;
    main.Doc.Y().Max = 10;
    main.Doc.Sample.Left = 500;
    main.Doc.X().Small = main.Doc.Y().Small = 5;
    main.Doc.Gridline.Smallwidth = 1;
    main.Doc.Title.Main = "参照グラフ";
    main.Doc.X().Title = "時間 t / s";
    main.Doc.Y().Title = "強度 I^2@ / W m^-2@";
    ASSERT_TRUE(main.DrawGraph());
    for (const char* name : {"ref.emf", "ref.wmf", "ref.bmp", "ref.svg", "ref.pdf"})
        main.SaveGraphFile(dir.Path(name));
    main.PngExport.Dpi = 300;
    main.SaveGraphFile(dir.Path("ref300.png"));
    main.PngExport = {.Exact = true};
    main.SaveGraphFile(dir.Path("exact.png"));
}

struct Rendering {
    std::string name, png;
    // How far, in pixels, texts may lie from where the BMP has them; -1
    // where the reader lays texts out with fonts of its own.
    int textsWithin;
};

bool RunProgram(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(90000) && process.exitCode() == 0;
}

// On white, in 32 bits.
QImage Load(const std::string& path) {
    const QImage read(QString::fromStdString(path));
    QImage image(read.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawImage(0, 0, read);
    return image;
}

int Lum(QRgb c) {
    return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
}

// The plot area's top-left corner: the first column and the first row
// that are mostly dark, the frame's left and top edges (marks on them
// aside).
QPoint FrameCorner(const QImage& image) {
    auto darkIn = [&](bool column, int at) {
        int dark = 0;
        const int n = column ? image.height() : image.width();
        for (int i = 0; i < n; ++i)
            dark += Lum(column ? image.pixel(at, i) : image.pixel(i, at)) < 100;
        return dark;
    };
    QPoint corner(-1, -1);
    for (int x = 0; x < image.width() && corner.x() < 0; ++x)
        if (darkIn(true, x) > kHeight * 8 / 10) corner.setX(x);
    for (int y = 0; y < image.height() && corner.y() < 0; ++y)
        if (darkIn(false, y) > kWidth * 8 / 10) corner.setY(y);
    return corner;
}

// The share of the pixels of `bmp` that `wanted` picks, inside `area`,
// that have a pixel `near` picks in `shown` within `radius`.
double Found(const QImage& bmp, const QImage& shown, QPoint offset, QRect area,
             const std::function<bool(QRgb)>& wanted, const std::function<bool(QRgb)>& near,
             int radius) {
    int all = 0, found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!wanted(bmp.pixel(x, y))) continue;
            ++all;
            bool hit = false;
            for (int dy = -radius; dy <= radius && !hit; ++dy)
                for (int dx = -radius; dx <= radius && !hit; ++dx) {
                    const QPoint p(x + offset.x() + dx, y + offset.y() + dy);
                    hit = shown.rect().contains(p) && near(shown.pixel(p));
                }
            found += hit;
        }
    return all ? double(found) / all : 0;
}

// The most dashes in one row near `row` between the plot's left and right
// edges: runs of pixels of a colour.
int Dashes(const QImage& image, QPoint corner, int row, const std::function<bool(QRgb)>& colour) {
    int most = 0;
    for (int y = row - 3; y <= row + 3; ++y) {
        int runs = 0;
        bool in = false;
        for (int x = corner.x() + 5; x < corner.x() + kWidth - 5; ++x) {
            const bool on = colour(image.pixel(x, y));
            runs += on && !in;
            in = on;
        }
        most = std::max(most, runs);
    }
    return most;
}

// Grid lines, ticks, curves and marks where the BMP has them, dashes that
// show, no label on a dark box.
void ExpectLikeTheBmp(const TestDir& dir, const std::vector<Rendering>& renderings) {
    const QImage bmp = Load(dir.Path("ref.bmp"));
    const QPoint bmpCorner = FrameCorner(bmp);
    ASSERT_EQ(bmpCorner, QPoint(kLeft - 1, kTop - 1));
    const QRect plot(kLeft - 1, kTop - 1, kWidth + 3, kHeight + 3);
    const QRect ticks = plot.adjusted(2, 2, -2, -2);
    auto ink = [](QRgb c) { return Lum(c) < 235; };
    auto anyInk = [](QRgb c) { return Lum(c) < 245; };
    auto grid = [](QRgb c) { return c == qRgb(210, 210, 210); };
    auto black = [](QRgb c) { return c == qRgb(0, 0, 0); };
    auto dark = [](QRgb c) { return Lum(c) < 96; };
    auto red = [](QRgb c) { return qRed(c) > qGreen(c) + 60 && qRed(c) > qBlue(c) + 60; };
    auto blue = [](QRgb c) { return qBlue(c) > qRed(c) + 60 && qBlue(c) > qGreen(c) + 60; };
    auto green = [](QRgb c) { return qGreen(c) > qRed(c) + 40 && qGreen(c) > qBlue(c) + 40; };
    // The red dashed line lies at 9, the blue dotted one at 1 and the green
    // dash-dotted one at 3, of 0 to 10.
    const int redRow = kTop + kHeight / 10, blueRow = kTop + kHeight * 9 / 10;
    const int greenRow = kTop + kHeight * 7 / 10;
    struct Pattern {
        const char* name;
        int row;
        std::function<bool(QRgb)> colour;
        int dashes;  // in the BMP
    } patterns[] = {{"dashed", redRow, red, 0},
                    {"dotted", blueRow, blue, 0},
                    {"dash-dotted", greenRow, green, 0}};
    for (Pattern& p : patterns) {
        p.dashes = Dashes(bmp, bmpCorner, p.row, p.colour);
        ASSERT_GE(p.dashes, 12) << p.name;
    }
    int bmpDarkOutside = 0;
    for (int y = 0; y < bmp.height(); ++y)
        for (int x = 0; x < bmp.width(); ++x)
            bmpDarkOutside += !plot.contains(x, y) && dark(bmp.pixel(x, y));

    for (const Rendering& r : renderings) {
        SCOPED_TRACE(r.name);
        const QImage shown = Load(r.png);
        ASSERT_FALSE(shown.isNull());
        const QPoint corner = FrameCorner(shown);
        ASSERT_GE(corner.x(), 0);
        const QPoint offset = corner - bmpCorner;
        // Grid lines, ticks, curves and marks, within anti-aliasing.
        EXPECT_GE(Found(bmp, shown, offset, plot, grid, anyInk, 1), 0.98) << "grid lines";
        EXPECT_GE(Found(bmp, shown, offset, ticks, black, ink, 2), 0.97) << "ticks and curves";
        EXPECT_GE(Found(bmp, shown, offset, plot, ink, anyInk, 2), 0.97) << "everything drawn";
        // The dashes of the BMP, as many of them: a dotted line is no
        // dashed one.
        for (const Pattern& p : patterns)
            EXPECT_NEAR(Dashes(shown, corner, p.row + offset.y(), p.colour), p.dashes,
                        p.dashes / 8 + 1)
                << p.name;
        // No label on a dark box: about as much dark outside the plot area
        // as in the BMP (texts differ by font and hinting).
        int darkOutside = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                darkOutside += !plot.translated(offset).contains(x, y) && dark(shown.pixel(x, y));
        EXPECT_LE(darkOutside, bmpDarkOutside * 13 / 10 + 300) << "dark boxes";
        if (r.textsWithin < 0) continue;
        // The texts where the BMP has them: the dark pixels outside the
        // plot area have ink near them.
        int near = 0, inked = 0;
        for (int y = 0; y < bmp.height(); ++y)
            for (int x = 0; x < bmp.width(); ++x) {
                if (plot.contains(x, y) || !dark(bmp.pixel(x, y))) continue;
                ++inked;
                bool hit = false;
                for (int dy = -r.textsWithin; dy <= r.textsWithin && !hit; ++dy)
                    for (int dx = -r.textsWithin; dx <= r.textsWithin && !hit; ++dx) {
                        const QPoint p(x + offset.x() + dx, y + offset.y() + dy);
                        hit = shown.rect().contains(p) && anyInk(shown.pixel(p));
                    }
                near += hit;
            }
        EXPECT_GE(near, inked * 97 / 100) << "texts in place";
    }
}

TEST(MetafileClients, InkscapeAndLibreOfficeDrawWhatTheBmpShows) {
    const QString inkscape = QStandardPaths::findExecutable("inkscape");
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (inkscape.isEmpty() || soffice.isEmpty()) GTEST_SKIP() << "Inkscape or LibreOffice missing";
    TestDir dir;
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    SaveReferenceGraph(dir);
    ASSERT_TRUE(sink.Texts.empty());
    std::vector<Rendering> renderings;
    for (const char* format : {"emf", "wmf"}) {
        const std::string file = dir.Path(std::string("ref.") + format);
        const std::string png = dir.Path(std::string("inkscape-") + format + ".png");
        ASSERT_TRUE(RunProgram(
            inkscape, {QString::fromStdString(file), "--export-type=png", "--export-dpi=96",
                       "--export-filename=" + QString::fromStdString(png)}));
        renderings.push_back({std::string("Inkscape ") + format, png, -1});
    }
    const QString out = QString::fromStdString(dir.Path("lo"));
    ASSERT_TRUE(RunProgram(
        soffice,
        {"--headless",
         "-env:UserInstallation=file://" + QString::fromStdString(dir.Path("profile")),
         "--convert-to", "png", "--outdir", out, QString::fromStdString(dir.Path("ref.emf"))}));
    renderings.push_back({"LibreOffice emf", dir.Path("lo/ref.png"), -1});
    ASSERT_TRUE(RunProgram(
        soffice, {"--headless",
                  "-env:UserInstallation=file://" + QString::fromStdString(dir.Path("profile")),
                  "--convert-to", "png", "--outdir", out + "w",
                  QString::fromStdString(dir.Path("ref.wmf"))}));
    renderings.push_back({"LibreOffice wmf", dir.Path("low/ref.png"), -1});

    ExpectLikeTheBmp(dir, renderings);
}

// SVG, PDF and PNG: librsvg and poppler draw what the BMP shows, texts in
// place; the PDF's text is text; the PNG follows its resolution, and the
// exact one is the BMP.
TEST(PublishingFormats, ReadersDrawWhatTheBmpShows) {
    TestDir dir;
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    SaveReferenceGraph(dir);
    ASSERT_TRUE(sink.Texts.empty());
    const QString svgPng = QString::fromStdString(dir.Path("svg.png"));
    ASSERT_TRUE(
        RunProgram("rsvg-convert", {"-o", svgPng, QString::fromStdString(dir.Path("ref.svg"))}));
    ASSERT_TRUE(RunProgram(
        "pdftoppm", {"-r", "96", "-png", "-singlefile", QString::fromStdString(dir.Path("ref.pdf")),
                     QString::fromStdString(dir.Path("pdf"))}));
    ExpectLikeTheBmp(
        dir, {{"librsvg svg", dir.Path("svg.png"), 3}, {"poppler pdf", dir.Path("pdf.png"), 3}});

    const std::string svg = ReadWholeFile(dir.Path("ref.svg"));
    EXPECT_NE(svg.find("width=\"680px\" height=\"420px\" viewBox=\"0 0 680 420\""),
              std::string::npos);
    // The fonts the text was measured with first, then the face asked for.
    EXPECT_NE(svg.find("font-family=\"'Liberation Serif', 'Times New Roman', serif\""),
              std::string::npos);
    QProcess text;
    text.start("pdftotext", {QString::fromStdString(dir.Path("ref.pdf")), "-"});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString pdfText = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* label :
         {"参照グラフ", "時間", "t / s", "強度", "W m", "正弦", "二点鎖線", "三角", "7.5", "10"}) {
        EXPECT_TRUE(pdfText.contains(QString::fromUtf8(label))) << label << " in PDF";
        EXPECT_NE(svg.find(label), std::string::npos) << label << " in SVG";
    }

    // The title is the graph's; every embedded font is a tagged subset.
    QProcess info, fonts;
    info.start("pdfinfo", {QString::fromStdString(dir.Path("ref.pdf"))});
    fonts.start("pdffonts", {QString::fromStdString(dir.Path("ref.pdf"))});
    ASSERT_TRUE(info.waitForFinished(60000) && fonts.waitForFinished(60000));
    EXPECT_TRUE(
        QString::fromUtf8(info.readAllStandardOutput()).contains("Title:           参照グラフ"));
    const QStringList fontLines = QString::fromUtf8(fonts.readAllStandardOutput()).split('\n');
    int embedded = 0;
    for (const QString& line : fontLines.mid(2)) {
        if (line.trimmed().isEmpty()) continue;
        ++embedded;
        EXPECT_TRUE(line.contains(QRegularExpression("^[A-Z]{6}\\+\\S+ .* yes yes yes")))
            << line.toStdString();
    }
    EXPECT_GE(embedded, 2);  // a Latin and a Japanese font
    EXPECT_EQ(QImage(QString::fromStdString(dir.Path("ref300.png"))).size(), QSize(2125, 1313));
    EXPECT_EQ(Load(dir.Path("exact.png")), Load(dir.Path("ref.bmp")));
}

}  // namespace
