#include "document/GraphDocument.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/Drawn.h"
#include "platform/PictureReplay.h"

namespace {

// A document built by hand, without a file or a window, draws the graph
// that reading the same numbers draws: the document is all a drawing
// needs.
TEST(GraphDocument, BuiltByHandDrawsAsTheFileRead) {
    Drawn read(kLinear);
    read.main.Doc.Y().Type = AxisKind::Log10;
    read.main.Series(2).Style.Hokan = CurveMethod::Spline;
    ASSERT_TRUE(read.main.DrawGraph(false));

    GraphDocument built;
    auto table = std::make_shared<TStringGrid>(4, 5);
    const double cells[4][3] = {{0, 0, 50}, {25, 40, 60}, {50, 80, 70}, {100, 100, 80}};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col) table->SetNumber(col + 1, row + 1, cells[row][col]);
    built.Sources = {
        DataSource{.Path = "", .Read = {}, .Columns = 3, .Rows = 4, .Titles = {}, .Table = table}};
    for (int n = 0; n < 3; ++n) {
        GraphSeries s;
        s.YColumn = n + 1;
        s.Plotted = s.InLegend = n > 0;
        s.LegendText = "DATA" + std::to_string(n + 1);
        s.Style.MarkType = DefaultMark(n);
        built.Series.push_back(s);
    }
    built.Y().Type = AxisKind::Log10;
    built.Series[2].Style.Hokan = CurveMethod::Spline;
    TfMain main;
    main.RestoreDocument(built);
    ASSERT_TRUE(main.DrawGraph(false));
    EXPECT_EQ(PictureToImage(main.ComposeGraph()), PictureToImage(read.main.ComposeGraph()));
}

// Copies share their cells until one of them edits a cell.
TEST(GraphDocument, AnEditedTableIsTheEditorsOwn) {
    GraphDocument a;
    a.TableForEdit().SetCell(1, 1, "5");
    const GraphDocument b = a;
    EXPECT_TRUE(b.SameAs(a));
    a.TableForEdit().SetCell(1, 1, "6");
    EXPECT_EQ(b.Table().Cell(1, 1), "5");
    EXPECT_EQ(a.Table().Cell(1, 1), "6");
    EXPECT_FALSE(b.SameAs(a));
    GraphDocument c = a;
    c.Title.Main = "other";
    EXPECT_FALSE(c.SameAs(a));
    EXPECT_FALSE(c == a);
}

}  // namespace
