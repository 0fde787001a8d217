#include "document/ComputedColumns.h"

#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"
#include "app/Drawn.h"
#include "platform/NumberText.h"

namespace {

constexpr double kNaN = kMissingValue;

// Each formula over three columns with a gap, a zero, a negative value and
// a word in them: the values row by row, missing where a value is missing
// or the result is not finite.
TEST(ComputedColumns, FormulaTable) {
    TStringGrid table(4, 5);
    const double cells[4][3] = {{1, 2, 4}, {2, -1, kNaN}, {3, 0, 8}, {4, 4, 0}};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col) table.SetNumber(col + 1, row + 1, cells[row][col]);
    table.SetCell(3, 4, "x");  // a word: missing
    const struct {
        const char* formula;
        std::vector<double> values;
    } cases[] = {
        {"c1*1e9", {1e9, 2e9, 3e9, 4e9}},
        {"c3/c2", {2, kNaN, kNaN, kNaN}},  // a gap, 8/0, a word
        {"log10(c2)", {std::log10(2.0), kNaN, kNaN, std::log10(4.0)}},
        {"c2-mean(c2)", {0.75, -2.25, -1.25, 2.75}},
        {"c1 / sum( c1 )", {0.1, 0.2, 0.3, 0.4}},
        {"max(c3) - min(c3) + 0*c1", {4, 4, 4, 4}},  // over the numbers only
        {"min(c1, c2)", {1, -1, 0, 4}},              // row by row with two
        {"row * 10", {10, 20, 30, 40}},
        {"c2 > 0 ? c2 : 0", {2, 0, 0, 4}},
    };
    for (const auto& c : cases) {
        std::vector<double> values;
        std::string reason;
        ASSERT_TRUE(ComputeColumn(table, 3, 4, c.formula, values, reason)) << c.formula << reason;
        ASSERT_EQ(values.size(), c.values.size()) << c.formula;
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (std::isnan(c.values[i]))
                EXPECT_TRUE(std::isnan(values[i])) << c.formula << " row " << i + 1;
            else
                EXPECT_DOUBLE_EQ(values[i], c.values[i]) << c.formula << " row " << i + 1;
        }
    }
    const struct {
        const char* formula;
        const char* reason;
    } refused[] = {
        {"c4*2", "列 c4 はありません (ﾃﾞｰﾀは 3 列です)"},
        {"mean(c9)", "列 c9 はありません (ﾃﾞｰﾀは 3 列です)"},
        {"c1*(", ""},  // muparser's own words
        {"c2*c3+mean(c!=", ""},
        {"sum(c2", ""},
        {"c2.c6+mean(c1)", ""},
        {"c1 + speed", ""},
    };
    for (const auto& r : refused) {
        std::vector<double> values;
        std::string reason;
        EXPECT_FALSE(ComputeColumn(table, 3, 4, r.formula, values, reason)) << r.formula;
        EXPECT_NE(reason.find(r.reason), std::string::npos) << r.formula << ": " << reason;
        EXPECT_FALSE(reason.empty()) << r.formula;
    }
}

// Added through the main window's command: a column and a series row, one
// step that undo takes away; a formula that cannot be computed is told.
TEST(ComputedColumns, AddedAsOneStepAndUndone) {
    Drawn d(kLinear);
    const GraphDocument before = d.main.Doc;
    ASSERT_TRUE(d.main.AddComputedColumn("c2*2+c3"));
    EXPECT_EQ(d.main.ColumnCount(), 4);
    EXPECT_EQ(d.main.DataG().Cell(4, 0), "4 c2*2+c3");
    EXPECT_EQ(d.main.DataG().Cell(4, 3), "230");
    ASSERT_EQ(d.main.SeriesCount(), 4);
    EXPECT_TRUE(d.main.Series(3).Plotted);
    EXPECT_EQ(d.main.Series(3).LegendText, "c2*2+c3");
    EXPECT_EQ(d.main.Doc.ComputedColumns, std::vector<std::string>{"c2*2+c3"});
    EXPECT_TRUE(d.main.DrawGraph(false));
    d.main.Undo();
    EXPECT_TRUE(d.main.Doc == before);
    // The menu command asks for the formula; a cancel adds nothing.
    FakeDesktop desktop;
    d.main.menuComputedColumnClick(desktop);
    EXPECT_EQ(d.main.ColumnCount(), 3);
    desktop.text = "row";
    d.main.menuComputedColumnClick(desktop);
    EXPECT_EQ(d.main.DataG().Cell(4, 2), "2");
    d.main.Undo();
    EXPECT_FALSE(d.main.AddComputedColumn("c5"));
    EXPECT_EQ(d.sink.Texts.back(),
              "計算列の式 c5 を計算できません: 列 c5 はありません (ﾃﾞｰﾀは 3 列です)");
}

// Configuration files keep the formula, not the values: read after
// another file, the column is computed from that file's numbers, its
// series keeps its style, and a key the document no longer has is
// emptied when the file is written again.
TEST(ComputedColumns, ConfigurationKeepsTheFormula) {
    Drawn d(kLinear);
    ASSERT_TRUE(d.main.AddComputedColumn("c3-c2"));
    d.main.Series(3).Style.LineColor = clRed;
    const std::string config = d.dir.Path("c.kvc");
    ASSERT_TRUE(d.main.WriteConfigFile(config));
    EXPECT_NE(ReadWholeFile(config).find("[Columns]\r\nColumn4=c3-c2\r\n"), std::string::npos);

    Drawn other("1 10 15\n2 20 22\n");
    ASSERT_TRUE(other.main.ReadConfigFile(config));
    ASSERT_EQ(other.main.ColumnCount(), 4);
    EXPECT_EQ(other.main.DataG().Cell(4, 1), "5");
    EXPECT_EQ(other.main.DataG().Cell(4, 2), "2");
    EXPECT_EQ(other.main.Series(3).Style.LineColor, clRed);
    // Read twice, the column is there once.
    ASSERT_TRUE(other.main.ReadConfigFile(config));
    EXPECT_EQ(other.main.ColumnCount(), 4);

    Drawn plain(kLinear);
    ASSERT_TRUE(plain.main.WriteConfigFile(config));
    EXPECT_NE(ReadWholeFile(config).find("Column4=\r\n"), std::string::npos);
    ASSERT_TRUE(plain.main.ReadConfigFile(config));
    EXPECT_EQ(plain.main.ColumnCount(), 3);
}

}  // namespace
