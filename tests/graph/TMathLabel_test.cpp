#include "graph/TMathLabel.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/Colors.h"
#include "platform/FontSubstitution.h"
#include "platform/PictureReplay.h"
#include "platform/PngWriter.h"
#include "platform/SvgWriter.h"

namespace {

TLogFont Font19() {
    TLogFont f;
    f.FaceName = "Times New Roman";
    f.Height = -19;
    f.Color = clBlack;
    return f;
}

struct TextRun {
    int x, y, height;
    std::string text;
};

std::vector<TextRun> Runs(const TMathLabel& label) {
    std::vector<TextRun> runs;
    int height = 0;
    const Picture& p = label.CaptionPicture();
    for (const PictureOp& op : p.Ops()) {
        if (op.Kind == OpKind::Font) height = p.FontOf(op).Height;
        if (op.Kind == OpKind::TextOut) runs.push_back({op.A, op.B, height, p.TextOf(op)});
    }
    return runs;
}

TEST(TMathLabel, AngleAndRatioLimits) {
    TMathLabel label;
    struct AngleCase {
        int value, stored;
    } angles[] = {{0, 0}, {45, 45}, {90, 90}, {-10, 0}, {120, 0}};
    for (const AngleCase& c : angles) {
        label.SetAngle(c.value);
        EXPECT_EQ(label.Angle(), c.stored) << c.value;
    }
    struct RatioCase {
        double value, stored;
    } ratios[] = {{0.7, 0.7}, {0.1, 0.2}, {1.5, 1.0}, {0.2, 0.2}, {1, 1}};
    for (const RatioCase& c : ratios) {
        label.SetRatio(c.value);
        EXPECT_EQ(label.Ratio(), c.stored) << c.value;
    }
}

TEST(TMathLabel, AnEmptyCaptionIsOnePixel) {
    TMathLabel label;
    label.SetCaption("");
    EXPECT_EQ(label.Width, 1);
    EXPECT_EQ(label.Height, 1);
    EXPECT_TRUE(Runs(label).empty());
}

TEST(TMathLabel, MarkupSplitsTheCaptionIntoRuns) {
    TLogFont full = Font19();
    TLogFont small = full;
    small.Height = -13;  // T(-19 x 0.7)
    const int w10 = TextWidth(full, "10");
    const int wx = TextWidth(full, "x");
    const int wi = TextWidth(small, "i");
    struct Case {
        const char* caption;
        std::vector<TextRun> runs;
    } cases[] = {
        {"10^ 3", {{0, 0, -19, "10"}, {w10, 0, -13, " 3"}}},
        // x, a lowered reduced i, back on the full-size line.
        {"x_i@ + 1", {{0, 0, -19, "x"}, {wx, 5, -13, "i"}, {wx + wi, 0, -19, " + 1"}}},
        {"a\\^b", {{0, 0, -19, "a^b"}}},
        {"a\\\\b", {{0, 0, -19, "a\\b"}}},
        {"ab\\", {{0, 0, -19, "ab"}}},
        {"表ソ能\u3000x", {{0, 0, -19, "表ソ能\u3000x"}}},
    };
    for (const Case& c : cases) {
        TMathLabel label;
        label.Font = full;
        label.SetCaption(c.caption);
        const std::vector<TextRun> runs = Runs(label);
        ASSERT_EQ(runs.size(), c.runs.size()) << c.caption;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            EXPECT_EQ(runs[i].text, c.runs[i].text) << c.caption;
            EXPECT_EQ(runs[i].x, c.runs[i].x) << c.caption << " run " << i;
            EXPECT_EQ(runs[i].y, c.runs[i].y) << c.caption << " run " << i;
            EXPECT_EQ(runs[i].height, c.runs[i].height) << c.caption << " run " << i;
        }
    }
}

TEST(TMathLabel, SizesToTheTurnedText) {
    const TLogFont full = Font19();
    const int th = TextHeight(full, "Y AXIS");
    const int total = TextWidth(full, "Y AXIS");
    TMathLabel label;
    label.Font = full;
    label.SetCaption("Y AXIS");
    EXPECT_EQ(label.Width, total);
    EXPECT_EQ(label.Height, th);
    label.SetAngle(90);
    EXPECT_EQ(label.Width, total);  // not rendered yet
    label.Render();
    EXPECT_EQ(label.Width, th);
    EXPECT_EQ(label.Height, total);
    const std::vector<TextRun> runs = Runs(label);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].x, 0);
    EXPECT_EQ(runs[0].y, total);  // starts at the bottom left, runs upward
    EXPECT_EQ(label.CaptionPicture().Width(), th);
}

}  // namespace

namespace {

// A white label box only hides what lies under the text: the window and
// the BMP keep it; SVG, PDF and a transparent PNG leave it out. A box of
// the user's colour stays everywhere.
TEST(TMathLabel, WhiteBoxesAreLeftOutOnTransparentBackgrounds) {
    for (const TColor colour : {clWhite, clYellow}) {
        TMathLabel label;
        label.Color = colour;
        label.SetCaption("Ag");
        const Picture& p = label.CaptionPicture();
        const QImage shown = PictureToImage(p);
        const QImage clear = PictureAtResolution(p, PngOptions{.Dpi = 96, .Transparent = true});
        // The top-left corner lies in the box, clear of the glyphs.
        EXPECT_EQ(shown.pixel(0, 0), ToQColor(colour).rgb());
        EXPECT_EQ(qAlpha(clear.pixel(0, 0)), colour == clWhite ? 0 : 255);
        const std::string svg = SvgBytes(p).toStdString();
        EXPECT_EQ(svg.find("<rect") != std::string::npos, colour != clWhite);
    }
}

}  // namespace
