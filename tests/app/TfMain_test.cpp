#include "app/TfMain.h"

#include <gtest/gtest.h>

#include <deque>

#include "TestSupport.h"
#include "platform/MessageSink.h"

namespace {

// A desktop whose dialogs give prepared answers and keep what was asked.
class FakeDesktop : public Desktop {
  public:
    std::deque<std::optional<OpenFileResult>> files;
    std::deque<DataOpenChoice> forms;
    std::vector<OpenFileRequest> requests;

    std::optional<OpenFileResult> OpenFile(const OpenFileRequest& request) override {
        requests.push_back(request);
        auto answer = files.front();
        files.pop_front();
        return answer;
    }
    std::optional<SaveFileResult> SaveFile(const SaveFileRequest&) override { return std::nullopt; }
    bool Confirm(const std::string&) override { return false; }
    DataOpenChoice ShowDataOpenForm(const std::vector<std::string>&,
                                    const DataOpenChoice&) override {
        auto answer = forms.front();
        forms.pop_front();
        return answer;
    }
};

DataOpenChoice Ok(bool title = false) {
    DataOpenChoice c;
    c.Accepted = true;
    c.ReadTitle = title;
    return c;
}

TEST(FillDataGrid, ShowsTheTableWithItsHeaders) {
    TestDir dir;
    TfMain main;
    main.DataOpen.FileName = dir.Write("d.txt", "1 0.5 -2\n1e-5 3e20 1234567\n");
    main.DataOpen.DivMark = " ";
    ASSERT_TRUE(main.DataOpen.ReadData());
    main.FillDataGrid();
    EXPECT_EQ(main.DataG().ColCount(), 4);
    EXPECT_EQ(main.DataG().RowCount(), 3);
    EXPECT_EQ(main.ColumnCount(), 3);
    EXPECT_EQ(main.RowCount(), 2);
    const char* expected[3][4] = {
        {"", "1", "2", "3"},
        {"1", "1", "0.5", "-2"},
        {"2", "1E-5", "3E20", "1234567"},
    };
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(main.DataG().Cell(c, r), expected[r][c]) << c << "," << r;
}

TEST(FillDataGrid, TitlesFollowTheColumnNumbers) {
    TestDir dir;
    TfMain main;
    main.DataOpen.FileName = dir.Write("d.txt", "t x y\n1 2 3\n4 5 6\n");
    main.DataOpen.DivMark = " ";
    main.DataOpen.ReadTitle = true;
    ASSERT_TRUE(main.DataOpen.ReadData());
    main.FillDataGrid();
    EXPECT_EQ(main.DataG().Cell(1, 0), "1 t");
    EXPECT_EQ(main.DataG().Cell(2, 0), "2 x");
    EXPECT_EQ(main.DataG().Cell(3, 0), "3 y");
    EXPECT_EQ(main.DataG().Cell(1, 1), "1");
}

// Fields that are no numbers are told once, when the grid already shows
// the file; a clean file says nothing.
TEST(FillDataGrid, TellsOfFieldsThatAreNoNumbersAfterTheGridIsFilled) {
    for (const bool words : {true, false}) {
        TestDir dir;
        TfMain main;
        RecordingMessageSink sink;
        ScopedMessageSink scope(sink);
        QObject::connect(&main, &TfMain::GridChanged, [&] { sink.Texts.push_back("grid"); });
        main.DataOpen.FileName = dir.Write("d.txt", words ? "1 2\n2 abc\n3 x\n" : "1 2\n2 3\n");
        ASSERT_TRUE(main.DataOpen.ReadData());
        main.FillDataGrid();
        std::vector<std::string> expected{"grid"};
        if (words)
            expected.push_back(
                "2 個の値は数値ではないので欠損値にしました (最初は 2 行目 2 列の 'abc')");
        EXPECT_EQ(sink.Texts, expected);
    }
}

TEST(FillDataGrid, ShowsTablesBeyondTheOldLimitsWithoutAWarning) {
    struct Case {
        int cols, rows;
    } cases[] = {{50, 2}, {200, 3}, {2, 10000}, {3, 30000}};
    for (const Case& c : cases) {
        TestDir dir;
        std::string line;
        for (int i = 0; i < c.cols; ++i) line += std::to_string(i) + " ";
        line += "\n";
        std::string content;
        for (int r = 0; r < c.rows; ++r) content += line;
        RecordingMessageSink sink;
        ScopedMessageSink scope(sink);
        TfMain main;
        main.DataOpen.FileName = dir.Write("d.txt", content);
        main.DataOpen.DivMark = " ";
        ASSERT_TRUE(main.DataOpen.ReadData());
        main.FillDataGrid();
        EXPECT_TRUE(sink.Texts.empty()) << c.cols << "x" << c.rows;
        EXPECT_EQ(main.DataG().ColCount(), c.cols + 1);
        EXPECT_EQ(main.DataG().RowCount(), c.rows + 1);
        EXPECT_EQ(main.DataG().Cell(c.cols, c.rows), std::to_string(c.cols - 1));
        EXPECT_EQ(main.SeriesCount(), c.cols);
    }
}

TEST(Enabling, PlottingCommandsComeWithTheFirstRead) {
    TestDir dir;
    TfMain main;
    EXPECT_EQ(main.Enabling(), CommandEnabling{});
    int changes = 0;
    QObject::connect(&main, &TfMain::EnablingChanged, [&] { ++changes; });
    main.DataOpen.FileName = dir.Write("d.txt", "1 2\n3 4\n");
    main.DataOpen.DivMark = " ";
    ASSERT_TRUE(main.DataOpen.ReadData());
    main.FillDataGrid();
    CommandEnabling expected;
    expected.PlotButton = expected.menuGraphPlot = expected.menuGraphConfig =
        expected.menuPlotConfig = true;
    EXPECT_EQ(main.Enabling(), expected);
    EXPECT_GT(changes, 0);
}

TEST(menuDataOpenClick, RemembersTheFolderAndFilterOfTheLastRead) {
    TestDir dir;
    const std::string first = dir.Write("run.txt", "1 2\n3 4\n");
    FakeDesktop desktop;
    TfMain main;
    desktop.files.push_back(OpenFileResult{{first}, 1});
    desktop.forms.push_back(Ok());
    main.menuDataOpenClick(desktop);
    ASSERT_EQ(desktop.requests.size(), 1u);
    EXPECT_EQ(desktop.requests[0].FilterIndex, 1);  // every kind of data file
    EXPECT_EQ(desktop.requests[0].InitialDir, "");
    EXPECT_EQ(desktop.requests[0].Filter, TfMain::kDataFilter);
    EXPECT_TRUE(main.DataRead());
    EXPECT_EQ(main.DataG().Cell(2, 2), "4");

    desktop.files.push_back(std::nullopt);  // cancelled: nothing changes
    main.menuDataOpenClick(desktop);
    EXPECT_EQ(desktop.requests[1].FilterIndex, 1);
    EXPECT_EQ(desktop.requests[1].InitialDir, dir.Root());
    EXPECT_EQ(desktop.requests[1].FileName, "");
    EXPECT_EQ(main.DataG().Cell(2, 2), "4");
}

// Files on the command line: the first data file through the options
// form, the last configuration file, a drawing when both are there.
TEST(OpenStartFiles, TheDataFilesAddedInTurnAndTheLastConfiguration) {
    TestDir dir;
    TfMain source;
    source.Doc.X().Large = 3;
    const std::string first = dir.Path("first.kvc");
    ASSERT_TRUE(source.WriteConfigFile(first));
    source.Doc.X().Large = 7;
    const std::string last = dir.Path("LAST.KVC");
    ASSERT_TRUE(source.WriteConfigFile(last));
    struct Case {
        const char* name;
        std::vector<std::string> files;
        bool dataRead;
        int largeX;
        bool drawn;
        std::vector<std::string> messages;
    } cases[] = {
        {"data and two configurations",
         {dir.Write("a.txt", "1 2\n3 4\n"), first, dir.Write("b.txt", "5 6\n7 8\n"), last},
         true,
         7,
         true,
         {}},
        {"a configuration alone", {first}, false, 3, false, {}},
        {"a missing data file", {dir.Path("gone.txt")}, false, 4, false, {"ﾌｧｲﾙがありません"}},
        {"a missing configuration", {dir.Path("gone.kvc")}, false, 4, false, {"ﾌｧｲﾙがありません"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingMessageSink sink;
        ScopedMessageSink scope(sink);
        FakeDesktop desktop;
        desktop.forms = {Ok(), Ok()};
        TfMain main;
        main.OpenStartFiles(desktop, c.files);
        EXPECT_EQ(main.DataRead(), c.dataRead);
        if (c.dataRead) {
            EXPECT_EQ(main.DataG().Cell(2, 2), "4");  // the first data file
            EXPECT_EQ(main.DataG().Cell(4, 2), "8");  // the second, added
            EXPECT_EQ(main.Doc.X().Large, c.largeX);
        }
        EXPECT_EQ(main.Enabling().menuGraphSave, c.drawn);
        EXPECT_EQ(sink.Texts, c.messages);
    }
}

TEST(RecentFiles, NewestFirstEachOnceAtMostFive) {
    RecentFiles recent;
    for (const char* f : {"/a", "/b", "/c", "/b", "/d", "/e", "/f", ""}) recent.Add(f);
    EXPECT_EQ(recent.Items(), (std::vector<std::string>{"/f", "/e", "/d", "/b", "/c"}));
    recent.Restore({"/x", "", "/y", "/x"});
    EXPECT_EQ(recent.Items(), (std::vector<std::string>{"/x", "/y"}));
}

TEST(menuDataOpenClick, ACancelledFormLeavesTheGridButRemembersTheChoice) {
    TestDir dir;
    FakeDesktop desktop;
    TfMain main;
    desktop.files.push_back(OpenFileResult{{dir.Write("a.txt", "1 2\n3 4\n")}, 2});
    desktop.forms.push_back(Ok());
    main.menuDataOpenClick(desktop);
    DataOpenChoice cancel;
    desktop.files.push_back(OpenFileResult{{dir.Write("b.dat", "7 8 9\n1 1 1\n")}, 4});
    desktop.forms.push_back(cancel);
    main.menuDataOpenClick(desktop);
    EXPECT_EQ(main.DataG().ColCount(), 3);
    EXPECT_EQ(main.DataG().Cell(1, 1), "1");
    EXPECT_EQ(main.DataFilterIndex(), 4);
    EXPECT_EQ(main.LastDataPath(), dir.Path("b.dat"));
}

TEST(menuDataOpenClick, SeveralChosenFilesReadTheFirst) {
    TestDir dir;
    FakeDesktop desktop;
    TfMain main;
    desktop.files.push_back(
        OpenFileResult{{dir.Write("a.txt", "1 2\n3 4\n"), dir.Write("b.txt", "5\n6\n")}, 1});
    desktop.forms.push_back(Ok());
    main.menuDataOpenClick(desktop);
    EXPECT_EQ(main.ColumnCount(), 2);
}

}  // namespace

namespace {

void ReadInto(TfMain& main, const TestDir& dir, const std::string& content, bool title = false) {
    main.DataOpen.FileName = dir.Write("rows.txt", content);
    main.DataOpen.DivMark = " ";
    main.DataOpen.ReadTitle = title;
    ASSERT_TRUE(main.DataOpen.ReadData());
    main.FillDataGrid();
}

TEST(BuildSeriesList, OneRowPerColumnWithNamesTagsAndPlaces) {
    TestDir dir;
    TfMain main;
    ReadInto(main, dir, "1 2 3\n4 5 6\n");
    ASSERT_EQ(main.SeriesCount(), 3);
    struct Case {
        int n;
        bool checked;
        const char* mark;
        const char* text;
    } cases[] = {
        {0, false, "maru2", "DATA1"},
        {1, true, "shikaku2", "DATA2"},
        {2, true, "sankaku2", "DATA3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(main.Series(c.n).Plotted, c.checked);
        EXPECT_EQ(main.LineImage(c.n).Name, "LineImage" + std::to_string(c.n));
        EXPECT_EQ(main.LineImage(c.n).Tag, c.n + 1);
        EXPECT_EQ(main.LineImage(c.n).Width, 80);
        EXPECT_EQ(main.LineImage(c.n).Height, 20);
        EXPECT_STREQ(NameOf(main.Series(c.n).Style.MarkType), c.mark);
        EXPECT_FALSE(main.LineImage(c.n).SamplePicture.Empty());
        EXPECT_EQ(main.Series(c.n).InLegend, c.checked);
        EXPECT_EQ(main.Series(c.n).LegendText, c.text);
    }
    EXPECT_FALSE(main.AllImage.SamplePicture.Empty());
}

TEST(BuildSeriesList, TitlesBecomeLegendTextsAndRowsAreRebuilt) {
    TestDir dir;
    TfMain main;
    ReadInto(main, dir, "t x y\n1 2 3\n", true);
    ReadInto(main, dir, "t x y\n1 2 3\n4 5 6\n", true);
    EXPECT_EQ(main.Series(0).LegendText, "t");
    EXPECT_EQ(main.Series(2).LegendText, "y");
    main.Series(1).Style.MarkSize = 20;
    ReadInto(main, dir, "1 2\n3 4\n");
    ASSERT_EQ(main.SeriesCount(), 2);
    EXPECT_EQ(main.Series(1).Style.MarkSize, 8);  // a fresh row
    EXPECT_EQ(main.Series(1).LegendText, "DATA2");
}

TEST(DefaultMark, CyclesThroughSevenMarks) {
    const char* expected[] = {"maru2",   "shikaku2", "sankaku2", "batsu",    "maru", "shikaku",
                              "sankaku", "maru2",    "shikaku2", "sankaku2", "batsu"};
    for (int n = 0; n < 11; ++n) EXPECT_STREQ(NameOf(DefaultMark(n)), expected[n]) << n;
    EXPECT_EQ(DefaultMark(-1), MarkKind::Maru2);
}

TEST(LineCheckClick, TheLegendTickFollowsThePlotTick) {
    TestDir dir;
    TfMain main;
    ReadInto(main, dir, "1 2 3\n4 5 6\n");
    main.LineCheckClick(2, false);
    EXPECT_FALSE(main.Series(2).Plotted);
    EXPECT_FALSE(main.Series(2).InLegend);
    main.LineCheckClick(2, true);
    EXPECT_TRUE(main.Series(2).InLegend);
    main.EditInLegend(2, false);  // and may then change alone
    EXPECT_FALSE(main.Series(2).InLegend);
    EXPECT_TRUE(main.Series(2).Plotted);
}

}  // namespace
