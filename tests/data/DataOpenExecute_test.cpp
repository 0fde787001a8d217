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

// The options form answered by the test.
struct FormAnswer {
    DataOpenChoice choice;
    std::vector<std::string> preview;
    DataOpenChoice proposed;
    int shown = 0;
    DataOpenFormFunction Function() {
        return [this](const std::vector<std::string>& lines, const DataOpenChoice& offered) {
            preview = lines;
            proposed = offered;
            ++shown;
            return choice;
        };
    }
};

TEST(Execute, ShowsAPreviewOfAtMostTenLines) {
    TestDir dir;
    struct Case {
        std::string content;
        std::vector<std::string> preview;
    } cases[] = {
        {"a 1\nb 2\nc 3\n", {"a 1", "b 2", "c 3"}},
        {"\x95\x5C\r\n1\r\n", {"表", "1"}},
        {Lines(12, "9 9\n"), std::vector<std::string>(10, "9 9")},
        // Comments show as they stand; a long line is one preview line.
        {"\xEF\xBB\xBF# c\n" + std::string(3000, '7') + "\n", {"# c", std::string(3000, '7')}},
    };
    for (const Case& c : cases) {
        TDataOpenDialog reader;
        reader.FileName = dir.Write("p.txt", c.content);
        FormAnswer form;
        form.choice.Accepted = false;
        EXPECT_FALSE(reader.Execute(form.Function()));
        EXPECT_EQ(form.preview, c.preview);
    }
}

TEST(Execute, ConfirmingAtOnceReadsWithSpaceAndTabAndNoTitle) {
    TestDir dir;
    TDataOpenDialog reader;
    reader.FileName = dir.Write("d.txt", "1\t2 3\n4 5 6\n");
    FormAnswer form;
    form.choice.Accepted = true;
    ASSERT_TRUE(reader.Execute(form.Function()));
    EXPECT_EQ(reader.DivMark, " \t");
    EXPECT_FALSE(reader.ReadTitle);
    EXPECT_EQ(reader.StepNum, -1);
    EXPECT_EQ(reader.Col(), 3);
    EXPECT_EQ(reader.Cell(2, 1), 6.0);
}

TEST(Execute, TakesTheChoicesOverAlsoOnCancel) {
    TestDir dir;
    TDataOpenDialog reader;
    reader.FileName = dir.Write("d.txt", "a,b\n1,2\n3,4\n");
    FormAnswer form;
    form.choice = {.Accepted = false,
                   .Delimiter = DataDelimiter::Comma,
                   .DecimalComma = true,  // never with the comma
                   .ReadTitle = true,
                   .Step = true,
                   .StepText = "3"};
    EXPECT_FALSE(reader.Execute(form.Function()));
    EXPECT_EQ(reader.DivMark, ",");
    EXPECT_FALSE(reader.DecimalComma);
    EXPECT_TRUE(reader.ReadTitle);
    EXPECT_TRUE(reader.Step);
    EXPECT_EQ(reader.StepNum, 2);
    EXPECT_EQ(reader.Col(), 1);  // nothing read

    form.choice.Accepted = true;
    form.choice.StepText = "1";
    ASSERT_TRUE(reader.Execute(form.Function()));
    EXPECT_EQ(reader.Title(1), "b");
    EXPECT_EQ(reader.Cell(1, 1), 4.0);
}

// The form opens with the delimiter most preview lines hold, the decimal
// comma where numbers like "1,5" stand between other delimiters, and the
// title row over numbers.
TEST(Execute, ProposesTheDelimiterFromThePreview) {
    using D = DataDelimiter;
    struct Case {
        std::string content;
        D delimiter;
        bool decimalComma;
        bool title;
    } cases[] = {
        {"1 2\n3 4\n", D::Space, false, false},
        {"x\ty\n1\t\t2\n3\t4\n", D::Tab, false, true},
        {"\"R, Ohm\";\"V\"\n1,5;2\n2,5;3\n", D::Semicolon, true, true},
        {"1\t2,5\n3\t4,75\n", D::Tab, true, false},
        {"\"x\",\"y\"\n1,2\n3,4\n", D::Comma, false, true},
        {"# run 1, 2026\n# a; b\n1 2\n3 4\n5 6\n", D::Space, false, false},  // no comments
        {"Serial: 1, 2\n1 2\n3 4\n5 6\n", D::Space, false, true},            // one line of commas
        {"a b\nc d\n1 2\n", D::Space, false, false},  // two lines of words: no title row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        TestDir dir;
        TDataOpenDialog reader;
        reader.FileName = dir.Write("p.txt", c.content);
        FormAnswer form;
        reader.Execute(form.Function());
        EXPECT_EQ(form.proposed.Delimiter, c.delimiter);
        EXPECT_EQ(form.proposed.DecimalComma, c.decimalComma);
        EXPECT_EQ(form.proposed.ReadTitle, c.title);
        EXPECT_FALSE(form.proposed.Accepted);
        EXPECT_FALSE(form.proposed.Step);
    }
}

TEST(Execute, AStartLineThatIsNoIntegerEndsTheOperation) {
    TestDir dir;
    TDataOpenDialog reader;
    reader.FileName = dir.Write("d.txt", "1 2\n3 4\n");
    FormAnswer form;
    form.choice = {.Accepted = true, .ReadTitle = true, .StepText = "x3"};
    try {
        reader.Execute(form.Function());
        ADD_FAILURE() << "no error raised";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Text(), "'x3' は整数ではありません");
    }
    EXPECT_TRUE(reader.ReadTitle);
    EXPECT_EQ(reader.Col(), 1);
}

TEST(Execute, SkippingFromLineZeroIsTheListIndexError) {
    TestDir dir;
    TDataOpenDialog reader;
    reader.FileName = dir.Write("d.txt", "1 2\n3 4\n");
    FormAnswer form;
    form.choice = {.Accepted = true, .Step = true, .StepText = "0"};
    EXPECT_THROW(reader.Execute(form.Function()), RaisedError);
}

TEST(Execute, AMissingFileIsReportedBeforeTheForm) {
    TestDir dir;
    for (const std::string& path : {dir.Path("none.txt"), dir.MakeFifo("pipe")}) {
        RecordingMessageSink sink;
        ScopedMessageSink scope(sink);
        TDataOpenDialog reader;
        reader.FileName = path;
        FormAnswer form;
        EXPECT_FALSE(reader.Execute(form.Function()));
        EXPECT_EQ(form.shown, 0);
        EXPECT_EQ(sink.Texts.size(), 1u);
    }
}

}  // namespace
