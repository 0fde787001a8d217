// Files added to the table: their columns after those before them, the
// computed columns last, series rows of their own, one step of undo; a
// configuration of two files read over two files again.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/Drawn.h"
#include "document/ComputedColumns.h"
#include "platform/NumberText.h"

namespace {

void Add(Drawn& d, const std::string& name, const std::string& content, bool title = false) {
    d.main.DataOpen.FileName = d.dir.Write(name, content);
    d.main.DataOpen.ReadTitle = title;
    ASSERT_TRUE(d.main.DataOpen.ReadData());
    d.main.AppendDataGrid();
}

TEST(AddDataFile, ColumnsSeriesAndUndo) {
    Drawn d(kLinear);  // 3 columns, 4 rows
    ASSERT_TRUE(d.main.AddComputedColumn("c2+c3"));
    const GraphDocument before = d.main.Doc;
    // Six rows of two columns, titled.
    Add(d, "e.txt", "t v\n0 1\n1 2\n2 3\n3 4\n4 5\n5 6\n", true);
    const GraphDocument& doc = d.main.Doc;
    ASSERT_EQ(d.main.ColumnCount(), 6);
    ASSERT_EQ(d.main.RowCount(), 6);
    EXPECT_EQ(doc.Sources.size(), 2u);
    EXPECT_EQ(doc.Sources[1].FirstColumn, 4);
    EXPECT_EQ(d.main.DataG().Cell(4, 0), "4 e.txt:1 t");
    EXPECT_EQ(d.main.DataG().Cell(5, 6), "6");
    EXPECT_EQ(d.main.DataG().Cell(2, 5), "");  // the first file has 4 rows
    // The computed column is last, computed again; its series kept.
    EXPECT_EQ(d.main.DataG().Cell(6, 0), "6 c2+c3");
    EXPECT_EQ(d.main.DataG().Cell(6, 2), "100");
    EXPECT_EQ(d.main.DataG().Cell(6, 5), "");
    ASSERT_EQ(d.main.SeriesCount(), 6);
    const GraphSeries& x = d.main.Series(3);
    const GraphSeries& y = d.main.Series(4);
    EXPECT_FALSE(x.Plotted);
    EXPECT_TRUE(y.Plotted);
    EXPECT_EQ(y.Source, 1);
    EXPECT_EQ(y.YColumn, 5);
    EXPECT_EQ(y.Style.AxisX, 4);
    EXPECT_EQ(y.LegendText, "v");
    EXPECT_EQ(y.Style.LineColor, clRed);
    EXPECT_EQ(y.Style.MarkType, DefaultMark(4));
    EXPECT_EQ(d.main.Series(5).YColumn, 6);
    EXPECT_EQ(d.main.Series(5).LegendText, "c2+c3");
    EXPECT_TRUE(d.main.DrawGraph(false));
    // A fit names a series without a legend text by its column's title in
    // its own file.
    d.main.Series(4).LegendText.clear();
    d.main.Series(4).Style.Hokan = CurveMethod::Mean;
    ASSERT_TRUE(d.main.DrawGraph(false));
    ASSERT_EQ(d.main.FitResults().size(), 1u);
    EXPECT_EQ(d.main.FitResults()[0].Series, "v");
    // Without titles, the file's name and the column's number.
    Add(d, "f.txt", "1 2 3\n4 5 6\n");
    EXPECT_EQ(d.main.Series(7).LegendText, "f.txt 3");
    EXPECT_EQ(d.main.DataG().Cell(7, 0), "7 f.txt:2");
    EXPECT_EQ(d.main.Series(7).Style.LineColor, clBlue);
    d.main.Undo();
    d.main.Undo();
    // The files as before (the axes hold the ranges the redrawing found).
    const GraphDocument& undone = d.main.Doc;
    EXPECT_TRUE(undone.Sources == before.Sources);
    EXPECT_TRUE(undone.Series == before.Series);
    EXPECT_EQ(undone.ComputedColumns, before.ComputedColumns);
    EXPECT_EQ(d.main.ColumnCount(), 4);
}

// Saved with two files and a computed column, read again over the same
// two files: the same styles, and the column computed.
TEST(AddDataFile, ConfigurationOfTwoFiles) {
    Drawn d(kLinear);
    Add(d, "e.txt", "0 1\n1 2\n");
    ASSERT_TRUE(d.main.AddComputedColumn("c5*10"));
    d.main.Series(4).Style.MarkType = MarkKind::Batsu;
    d.main.Series(5).Style.LineColor = clGreen;
    const std::string config = d.dir.Path("two.kvc");
    ASSERT_TRUE(d.main.WriteConfigFile(config));

    Drawn again(kLinear);
    Add(again, "e.txt", "0 1\n1 2\n");
    ASSERT_TRUE(again.main.ReadConfigFile(config));
    ASSERT_EQ(again.main.SeriesCount(), 6);
    EXPECT_EQ(again.main.Series(4).Style.MarkType, MarkKind::Batsu);
    EXPECT_EQ(again.main.Series(5).Style.LineColor, clGreen);
    EXPECT_EQ(again.main.DataG().Cell(6, 2), "20");

    // Over one file: what it has, and which series are left out.
    Drawn one(kLinear);
    ASSERT_TRUE(one.main.ReadConfigFile(config));
    EXPECT_EQ(one.main.SeriesCount(), 3);
    EXPECT_EQ(one.sink.Texts,
              (std::vector<std::string>{
                  "計算列の式 c5*10 を計算できません: 列 c5 はありません (ﾃﾞｰﾀは 3 列です)",
                  config + " は 2 個のﾃﾞｰﾀﾌｧｲﾙで作った設定です: ﾃﾞｰﾀにない 4 〜 6 "
                           "番目の列の設定は使いません"}));
}

}  // namespace
