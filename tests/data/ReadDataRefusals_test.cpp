#include "data/TDataOpenDialog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "data/ReadCases.h"
#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/RaisedError.h"

namespace {

constexpr const char* kSpace = DataOpenOptions::kSpaceDivMark;

// A later read must not show an earlier file's numbers or names.
TEST(ReadData, NoDataLeaksFromOneFileIntoTheNext) {
    TestDir dir;
    TDataOpenDialog reader;
    reader.DivMark = kSpace;
    reader.ReadTitle = true;
    reader.FileName = dir.Write("a.txt", "a b c\n1 2 3\n4 5 6\n7 8 9\n");
    ASSERT_TRUE(reader.ReadData());
    reader.FileName = dir.Write("b.txt", "p\n10 20 30\n40\n\n");
    ASSERT_TRUE(reader.ReadData());
    EXPECT_EQ(reader.Row(), 2);
    EXPECT_EQ(reader.Col(), 3);
    EXPECT_TRUE(std::isnan(reader.Cell(1, 1)));
    EXPECT_TRUE(std::isnan(reader.Cell(2, 1)));
    EXPECT_EQ(reader.Title(0), "p");
    EXPECT_EQ(reader.Title(1), "");
    EXPECT_EQ(reader.Title(2), "");
    reader.ReadTitle = false;
    reader.FileName = dir.Write("c.txt", "5 6\n7 8\n");
    ASSERT_TRUE(reader.ReadData());
    EXPECT_EQ(reader.Title(0), "");
}

TEST(ReadData, ANumberBeyondTheRangeOfADoubleChangesNothing) {
    TestDir dir;
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    TDataOpenDialog reader;
    reader.DivMark = kSpace;
    reader.ReadTitle = true;
    reader.FileName = dir.Write("good.txt", "x y\n1 2\n3 4\n");
    ASSERT_TRUE(reader.ReadData());
    const std::string bad = dir.Write("bad.txt", "u v w\n1 2 3\n4 1e999 6\n7 8 9\n");
    reader.FileName = bad;
    EXPECT_FALSE(reader.ReadData());
    ASSERT_EQ(sink.Texts.size(), 1u);
    EXPECT_EQ(sink.Texts[0], "ﾌｧｲﾙ " + bad + " の 3 行目の数値 '1e999' は大きすぎます");
    EXPECT_EQ(reader.Col(), 2);
    EXPECT_EQ(reader.Row(), 2);
    EXPECT_EQ(reader.Cell(1, 1), 4.0);
    EXPECT_EQ(reader.Title(0), "x");
    EXPECT_EQ(reader.Title(2), "");
}

TEST(ReadData, ARefusedSizeKeepsTheTable) {
    TestDir dir;
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    TDataOpenDialog reader;
    reader.DivMark = kSpace;
    reader.FileName = dir.Write("good.txt", "1 2\n3 4\n");
    ASSERT_TRUE(reader.ReadData());
    reader.FileName = dir.Write("wide.txt", Fields(1001) + Fields(1001));
    EXPECT_FALSE(reader.ReadData());
    EXPECT_EQ(reader.Cell(1, 1), 4.0);
    // A read the user cancels keeps it too, and says nothing: the user
    // chose it.
    sink.Texts.clear();
    std::vector<double> told;
    reader.Progress = [&](double done) {
        told.push_back(done);
        return false;
    };
    reader.FileName = dir.Write("long.txt", "x y\n" + Lines(100000, "5 6\n"));
    reader.ReadTitle = true;
    EXPECT_FALSE(reader.ReadData());
    ASSERT_FALSE(told.empty());
    EXPECT_TRUE(told.front() >= 0 && told.back() <= 1);
    EXPECT_EQ(reader.Row(), 2);
    EXPECT_EQ(reader.Cell(1, 1), 4.0);
    EXPECT_EQ(reader.Title(0), "");
    EXPECT_TRUE(sink.Texts.empty());
}

TEST(ReadData, AStartLineOutsideTheFileRaisesTheListIndexError) {
    struct Case {
        const char* name;
        bool readTitle;
        int stepNum;
    } cases[] = {
        {"negative start", false, -1},
        {"start past the end", false, 3},
        {"title row is the last line", true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDir dir;
        TDataOpenDialog reader;
        reader.FileName = dir.Write("d.txt", "1 2\n3 4\nx y\n");
        reader.DivMark = kSpace;
        reader.ReadTitle = c.readTitle;
        reader.Step = true;
        reader.StepNum = c.stepNum;
        try {
            reader.ReadData();
            ADD_FAILURE() << "no error raised";
        } catch (const RaisedError& e) {
            EXPECT_EQ(e.Text(), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
        }
    }
}

// Each reason as it is: missing, a folder, no plain file (also the
// process's own input, which names a plain file when it is redirected
// from one), no permission.
TEST(ReadData, AFileThatCannotBeOpenedIsReported) {
    TestDir dir;
    const std::string locked = dir.Write("locked.txt", "1 2\n3 4\n");
    chmod(locked.c_str(), 0);
    const std::string toInput = dir.Path("input.txt");
    symlink("/dev/stdin", toInput.c_str());
    struct Case {
        std::string path;
        const char* text;
    } cases[] = {
        {dir.Path("missing.txt"), "ﾌｧｲﾙがありません"},
        {dir.Root(), "%s はﾌｫﾙﾀﾞです"},
        {dir.MakeFifo("pipe"), "%s は通常のﾌｧｲﾙではありません"},
        {"/dev/stdin", "%s は通常のﾌｧｲﾙではありません"},
        {toInput, "%s は通常のﾌｧｲﾙではありません"},
        {locked, geteuid() == 0 ? "" : "ﾌｧｲﾙ %s を読めません (権限がありません)"},
    };
    for (const Case& c : cases) {
        if (!*c.text) continue;  // root reads whatever the permissions say
        RecordingMessageSink sink;
        ScopedMessageSink scope(sink);
        TDataOpenDialog reader;
        reader.FileName = c.path;
        EXPECT_FALSE(reader.ReadData()) << c.path;
        EXPECT_EQ(sink.Texts, std::vector<std::string>{FormatText(c.text, {c.path})}) << c.path;
    }
}

}  // namespace
