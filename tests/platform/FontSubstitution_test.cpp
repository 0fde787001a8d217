#include "platform/FontSubstitution.h"

#include <gtest/gtest.h>
#include <QFontInfo>

namespace {

TEST(FontSubstitution, MapsTheDesktopFacesToInstalledTwins) {
    struct Case {
        const char* face;
        const char* installed;
    } cases[] = {
        {"Times New Roman", "Liberation Serif"}, {"Arial", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},      {"ＭＳ ゴシック", "IPAGothic"},
        {"ＭＳ Ｐゴシック", "IPAPGothic"},       {"ＭＳ 明朝", "IPAMincho"},
        {"ＭＳ Ｐ明朝", "IPAPMincho"},           {"Symbol", "Standard Symbols PS"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SubstituteFace(c.face).toStdString(), c.installed) << c.face;
        TLogFont font;
        font.FaceName = c.face;
        // fontconfig may name the foundry after the family.
        EXPECT_TRUE(QFontInfo(MakeQFont(font)).family().startsWith(c.installed))
            << c.face << " is not installed; scripts/setup installs it";
    }
    EXPECT_EQ(SubstituteFace("DejaVu Sans").toStdString(), "DejaVu Sans");
}

// A font dialog shows the substitute; keeping it keeps the user's name,
// so a configuration file means the same font on every machine.
TEST(FontSubstitution, AFontDialogKeepsTheFaceNameTheUserGave) {
    struct Case {
        const char* chosen;
        const char* previous;
        const char* kept;
    } cases[] = {
        {"Liberation Serif", "Times New Roman", "Times New Roman"},
        {"IPAPGothic", "ＭＳ Ｐゴシック", "ＭＳ Ｐゴシック"},
        {"Liberation Sans", "Times New Roman", "Liberation Sans"},
        {"Liberation Serif", "Liberation Serif", "Liberation Serif"},
        {"DejaVu Sans", "Arial", "DejaVu Sans"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChosenFaceName(QString::fromUtf8(c.chosen), c.previous), c.kept) << c.chosen;
}

TEST(FontSubstitution, PointsBecomePixelHeightsAt96Dpi) {
    EXPECT_EQ(PointsToFontHeight(14), -19);
    EXPECT_EQ(PointsToFontHeight(12), -16);
    EXPECT_EQ(PointsToFontHeight(9), -12);
    EXPECT_EQ(PointsToFontHeight(10), -13);
}

// The layout depends on measured texts; Times New Roman's advance widths
// for "GRAPH TITLE" add up to 13140 of 2048 units, 121.9 pixels at 19.
TEST(FontSubstitution, MeasuresWithTheMetricsOfTheDesktopFace) {
    TLogFont font;
    font.FaceName = "Times New Roman";
    font.Height = PointsToFontHeight(14);
    EXPECT_NEAR(TextWidth(font, "GRAPH TITLE"), 122, 2);
    EXPECT_NEAR(TextHeight(font, "GRAPH TITLE"), 21, 1);
    font.Height = 21;  // the same font given by its cell height
    EXPECT_NEAR(TextWidth(font, "GRAPH TITLE"), 122, 3);
}

}  // namespace
