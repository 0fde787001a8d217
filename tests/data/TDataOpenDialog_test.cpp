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
constexpr const char* kComma = DataOpenOptions::kCommaDivMark;

TEST(ReadData, ReadsTheTableAsTheFileGivesIt) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const std::string longLine = "1" + std::string(1021, ' ') + "2\n";  // 1022 + "2\n"
    const std::string exact = std::string(1021, '0') + "5\n";           // 1022 + "\n"
    const double kNaN = kMissingValue;
    const ReadCase cases[] = {
        {.name = "single line refused with a message",
         .content = "1 2 3\n",
         .ok = false,
         .messages = {"ﾌｧｲﾙ %s は 1 行しかないので読めません (2 行以上必要です)"}},
        {.name = "empty file", .content = "", .ok = false, .messages = {"ﾌｧｲﾙ %s は空です"}},
        {.name = "columns from the first data line, a short row is missing values",
         .content = "1 2 3\n4 5\n",
         .col = 3,
         .row = 2,
         .cells = {{0, 0, 1}, {2, 0, 3}, {0, 1, 4}, {1, 1, 5}, {2, 1, kNaN}}},
        {.name = "space before the line end adds no column",
         .content = "1 2 3 \n4 5 6\n",
         .col = 3,
         .row = 2,
         .cells = {{2, 0, 3}, {2, 1, 6}}},
        {.name = "tab separates with the space option",
         .content = "1\t2\n3\t\t4\n",
         .col = 2,
         .row = 2,
         .cells = {{0, 0, 1}, {1, 0, 2}, {0, 1, 3}, {1, 1, 4}}},
        {.name = "every comma separates: an empty field is a missing value",
         .content = "1,,3\n4,5,6\n",
         .divMark = kComma,
         .col = 3,
         .row = 2,
         .cells = {{0, 0, 1}, {1, 0, kNaN}, {2, 0, 3}, {0, 1, 4}, {1, 1, 5}}},
        {.name = "commas at the line ends give empty fields",
         .content = ",7,8,\n,9,10\n",
         .divMark = kComma,
         .col = 4,
         .row = 2,
         .cells = {{0, 0, kNaN}, {1, 0, 7}, {3, 0, kNaN}, {0, 1, kNaN}, {2, 1, 10}, {3, 1, kNaN}}},
        {.name = "blank fields and NaN in any case are missing values",
         .content = "x,y1,y2\n1, ,NaN\n2,nan,-NAN\n3,+nan , 4\n",
         .divMark = kComma,
         .readTitle = true,
         .col = 3,
         .row = 3,
         .cells = {{1, 0, kNaN}, {2, 0, kNaN}, {1, 1, kNaN}, {2, 1, kNaN}, {1, 2, kNaN}, {2, 2, 4}},
         .titles = {"x", "y1", "y2"}},
        {.name = "nan with the space option, a short row after it",
         .content = "1 nan 3\n4\n",
         .col = 3,
         .row = 2,
         .cells = {{1, 0, kNaN}, {2, 0, 3}, {1, 1, kNaN}, {2, 1, kNaN}}},
        {.name = "a comma title row keeps its empty names in place",
         .content = "a,,c\n1,2,3\n4,5,6\n",
         .divMark = kComma,
         .readTitle = true,
         .col = 3,
         .row = 2,
         .titles = {"a", "", "c"}},
        {.name = "comma file with spaces reads leniently",
         .content = "1, 2.5\n3 ,4\n",
         .divMark = kComma,
         .col = 2,
         .row = 2,
         .cells = {{1, 0, 2.5}, {0, 1, 3}}},
        {.name = "blank line inside the data is a row of missing values",
         .content = "1 2\n\n3 4\n",
         .col = 2,
         .row = 3,
         .cells = {{0, 1, kNaN}, {1, 1, kNaN}, {0, 2, 3}}},
        {.name = "blank line inside comma data",
         .content = "1,2\n\n3,4\n",
         .divMark = kComma,
         .col = 2,
         .row = 3,
         .cells = {{0, 1, kNaN}, {1, 1, kNaN}, {1, 2, 4}}},
        {.name = "blank lines at the end are no rows",
         .content = "1 2\n3 4\n\n \t \n\n",
         .col = 2,
         .row = 2},
        {.name = "comma lines without values at the end are no rows",
         .content = "1,2\n3,4\n,\n \n",
         .divMark = kComma,
         .col = 2,
         .row = 2},
        {.name = "comment lines are neither title nor rows",
         .content = "# x y\n# measured 2026\nx y\n1 2\n  # inside\n3 4\n# end\n",
         .readTitle = true,
         .col = 2,
         .row = 2,
         .cells = {{0, 0, 1}, {1, 0, 2}, {0, 1, 3}, {1, 1, 4}},
         .titles = {"x", "y"}},
        {.name = "numpy savetxt header",
         .content = "# x y\n1.000000000000000000e+00 2.5e+00\n#\n2.0e+00 3.5e+00\n",
         .col = 2,
         .row = 2,
         .cells = {{0, 0, 1}, {1, 0, 2.5}, {0, 1, 2}, {1, 1, 3.5}}},
        {.name = "the skip count counts comment lines",
         .content = "junk\n# c\n1 2\n3 4\n",
         .step = true,
         .stepNum = 1,
         .col = 2,
         .row = 2,
         .cells = {{0, 0, 1}, {0, 1, 3}}},
        {.name = "a hash after a number is no comment line",
         .content = "1 #2\n3 4\n",
         .col = 2,
         .row = 2,
         .cells = {{0, 0, 1}, {1, 0, kNaN}},
         .notice = NotNumbers(1, 1, 2, "#2")},
        {.name = "nothing but comments after the start",
         .content = "1 2\n# a\n# b\n",
         .step = true,
         .stepNum = 1,
         .ok = false,
         .messages = {"ﾌｧｲﾙ %s にﾃﾞｰﾀの行がありません"}},
        {.name = "a byte order mark is skipped",
         .content = "\xEF\xBB\xBFx y\n1 2\n3 4\n",
         .readTitle = true,
         .col = 2,
         .row = 2,
         .titles = {"x", "y"}},
        {.name = "a byte order mark before the first number",
         .content = "\xEF\xBB\xBF"
                    "1,2\r\n3,4\r\n",
         .divMark = kComma,
         .col = 2,
         .row = 2,
         .cells = {{0, 0, 1}, {1, 1, 4}}},
        {.name = "CR LF reads as LF",
         .content = "1 2\r\n3 4\r\n",
         .col = 2,
         .row = 2,
         .cells = {{1, 0, 2}, {1, 1, 4}}},
        {.name = "last line without line end",
         .content = "1 2\n3 4",
         .col = 2,
         .row = 2,
         .cells = {{1, 1, 4}}},
        {.name = "a field that is not wholly a number is missing",
         .content = "2.5e2x 1\nabc -.5\n3 abc\n",
         .col = 2,
         .row = 3,
         .cells = {{0, 0, kNaN}, {1, 0, 1}, {0, 1, kNaN}, {1, 1, -0.5}, {1, 2, kNaN}},
         .notice = NotNumbers(3, 1, 1, "2.5e2x")},
        {.name = "an instrument's header lines read as data have no X",
         .content = "Serial: 1234567\n0 1.5\n1 2.5\n",
         .col = 2,
         .row = 3,
         .cells = {{0, 0, kNaN}, {1, 0, 1234567}, {1, 2, 2.5}},
         .notice = NotNumbers(1, 1, 1, "Serial:")},
        {.name = "infinities stay, and are counted",
         .content = "1 inf\n2 -Infinity\n3 +INF\n4 5\n",
         .col = 2,
         .row = 4,
         .cells = {{1, 0, kInf}, {1, 1, -kInf}, {1, 2, kInf}, {1, 3, 5}},
         .notice = NotNumbers(3, 1, 2, "inf")},
        {.name = "R write.table: quoted row names, titles and texts",
         .content = "\"x\" \"y\" \"group\"\n\"1\" 0.5 \"ctrl\"\n\"2\" 0.75 \"dose 1\"\n",
         .readTitle = true,
         .col = 3,
         .row = 2,
         .cells = {{0, 0, 1}, {1, 0, 0.5}, {2, 0, kNaN}, {0, 1, 2}, {2, 1, kNaN}},
         .titles = {"x", "y", "group"},
         .notice = NotNumbers(2, 2, 3, "ctrl")},
        {.name = "pandas QUOTE_NONNUMERIC: \"\" is missing, not counted",
         .content = "\"t\",\"v\"\n1.0,\"\"\n2.0,3.5\n3.0,\"\"\n",
         .divMark = kComma,
         .readTitle = true,
         .col = 2,
         .row = 3,
         .cells = {{1, 0, kNaN}, {1, 1, 3.5}, {1, 2, kNaN}},
         .titles = {"t", "v"}},
        {.name = "Excel: delimiters and doubled quotes inside quotes",
         .content = "\"R, Ohm\",\"Voltage (V)\",\"a \"\"b\"\"\"\n10,\"2.5\",3\n20,\"x, y\",4\n",
         .divMark = kComma,
         .readTitle = true,
         .col = 3,
         .row = 2,
         .cells = {{1, 0, 2.5}, {2, 0, 3}, {1, 1, kNaN}, {2, 1, 4}},
         .titles = {"R, Ohm", "Voltage (V)", "a \"b\""},
         .notice = NotNumbers(1, 3, 2, "x, y")},
        {.name = "a quote not closed runs to the line's end",
         .content = "1,\"2,3\n4,5,6\n",
         .divMark = kComma,
         .col = 2,
         .row = 2,
         .cells = {{0, 0, 1}, {1, 0, kNaN}, {0, 1, 4}, {1, 1, 5}},
         .notice = NotNumbers(1, 1, 2, "2,3")},
        {.name = "every tab separates with the tab delimiter",
         .content = "1\t2\t3\n2\t\t6\n 3 \t 4 \t\n",
         .divMark = DataOpenOptions::kTabDivMark,
         .col = 3,
         .row = 3,
         .cells = {{1, 1, kNaN}, {2, 1, 6}, {0, 2, 3}, {1, 2, 4}, {2, 2, kNaN}}},
        {.name = "semicolons and decimal commas",
         .content = "t;U\n0,5;1,25\n1;-2,5e-1\n2;;\n",
         .divMark = DataOpenOptions::kSemicolonDivMark,
         .readTitle = true,
         .col = 2,
         .row = 3,
         .cells = {{0, 0, 0.5}, {1, 0, 1.25}, {0, 1, 1}, {1, 1, -0.25}, {1, 2, kNaN}},
         .titles = {"t", "U"},
         .decimalComma = true},
        {.name = "decimal commas with the space delimiter",
         .content = "0,5 1,25\n1 2\n",
         .col = 2,
         .row = 2,
         .cells = {{0, 0, 0.5}, {1, 0, 1.25}},
         .decimalComma = true},
        {.name = "the comma delimiter keeps the decimal point",
         .content = "0.5,1\n1,2\n",
         .divMark = kComma,
         .col = 2,
         .row = 2,
         .cells = {{0, 0, 0.5}, {1, 1, 2}},
         .decimalComma = true},
        {.name = "Fortran exponents",
         .content = "1.0000000000000D-03 2.5d+02\n2.0Q1 -1.5D0\n",
         .col = 2,
         .row = 2,
         .cells = {{0, 0, 0.001}, {1, 0, 250}, {0, 1, 20}, {1, 1, -1.5}}},
        {.name = "titles from numpy's comment header; no data row lost",
         .content = "# note\n# x y\n1 2\n3 4\n",
         .readTitle = true,
         .col = 2,
         .row = 2,
         .cells = {{0, 0, 1}, {1, 1, 4}},
         .titles = {"x", "y"}},
        {.name = "a comment that does not fit the columns gives no titles",
         .content = "# measured on 3 May\n1 2\n3 4\n",
         .readTitle = true,
         .col = 2,
         .row = 2,
         .cells = {{0, 0, 1}},
         .titles = {"", ""}},
        {.name = "a first line of numbers is data, not titles",
         .content = "1 2\n3 4\n",
         .readTitle = true,
         .col = 2,
         .row = 2,
         .cells = {{0, 0, 1}, {1, 1, 4}},
         .titles = {"", ""}},
        {.name = "a CSV read with the space delimiter holds no numbers",
         .content = "1,2\n3,4\n",
         .ok = false,
         .messages = {"ﾌｧｲﾙ %s には 'スペース' 区切りの数値の行がありません"}},
        {.name = "a file of words",
         .content = "one two\nthree four\n",
         .ok = false,
         .messages = {"ﾌｧｲﾙ %s には 'スペース' 区切りの数値の行がありません"}},
        {.name = "only missing values",
         .content = "x;y\n;nan\n",
         .divMark = DataOpenOptions::kSemicolonDivMark,
         .readTitle = true,
         .ok = false,
         .messages = {"ﾌｧｲﾙ %s には 'セミコロン' 区切りの数値の行がありません"}},
        {.name = "a line longer than 1022 characters is one line",
         .content = longLine + "3\n",
         .col = 2,
         .row = 2,
         .cells = {{0, 0, 1}, {1, 0, 2}, {0, 1, 3}, {1, 1, kNaN}}},
        {.name = "1022 characters and the line feed are one line",
         .content = exact + "7\n",
         .col = 1,
         .row = 2,
         .cells = {{0, 0, 5}, {0, 1, 7}}},
        {.name = "48 columns of %.15e",
         .content = WideScientificRows(3),
         .col = 48,
         .row = 3,
         .cells = {{0, 0, 1000.125}, {47, 0, 1047.125}, {47, 2, 3047.125}}},
        {.name = "empty delimiter set makes the line one field",
         .content = "1 2\n3\n",
         .divMark = "",
         .col = 1,
         .row = 2,
         .cells = {{0, 0, kNaN}, {0, 1, 3}},
         .notice = NotNumbers(1, 1, 1, "1 2")},
        {.name = "rows beyond the old 10000",
         .content = Lines(30000, "1 2\n"),
         .col = 2,
         .row = 30000,
         .cells = {{1, 29999, 2}}},
        // The table, the grid's copy and a drawing's: three times 16 kB.
        {.name = "a table that fits the memory",
         .content = Lines(1000, "1 2\n"),
         .col = 2,
         .row = 1000,
         .memory = 48000},
        {.name = "a table larger than the memory refused",
         .content = Lines(1000, "1 2\n"),
         .ok = false,
         .col = 2,
         .row = 1000,
         .messages = {"データサイズが大きすぎます (2 列 x 1000 行で 16 KB; 今のメモリで読めるのは "
                      "15 KB まで)"},
         .memory = 47999},
        {.name = "exactly 1000 fields",
         .content = Fields(1000) + Fields(1000),
         .col = 1000,
         .row = 2,
         .cells = {{999, 1, 1000}}},
        {.name = "1001 fields refused",
         .content = Fields(1001) + Fields(1001),
         .ok = false,
         .col = 1001,
         .row = 2,
         .messages = {"データサイズが大きすぎます (1001 列; 1000 列まで)"}},
        {.name = "title row",
         .content = "t x y\n1 2 3\n4 5 6\n",
         .readTitle = true,
         .col = 3,
         .row = 2,
         .cells = {{0, 0, 1}},
         .titles = {"t", "x", "y", ""}},
        {.name = "title row trimmed of control characters",
         .content = "\x01time,\tvolt \n1,2\n3,4\n",
         .divMark = kComma,
         .readTitle = true,
         .col = 2,
         .row = 2,
         .titles = {"time", "volt"}},
        {.name = "skip two lines, then title row",
         .content = "comment\nmore\nT1 T2\n1 2\n3 4\n",
         .readTitle = true,
         .step = true,
         .stepNum = 2,
         .col = 2,
         .row = 2,
         .cells = {{0, 0, 1}, {1, 1, 4}},
         .titles = {"T1", "T2"}},
        {.name = "CP932 title row",
         .content = "\x95\x5C \x83\x5C\x83\x74\x83\x67\n1 2\n3 4\n",
         .readTitle = true,
         .col = 2,
         .row = 2,
         .titles = {"表", "ソフト"}},
        {.name = "UTF-8 title row",
         .content = "温度 電圧\n1 2\n3 4\n",
         .readTitle = true,
         .col = 2,
         .row = 2,
         .titles = {"温度", "電圧"}},
        {.name = "NUL bytes are ordinary characters",
         .content = std::string("1 \0 2\n3 4 5\n", 12),
         .col = 3,
         .row = 2,
         .cells = {{1, 0, kNaN}, {2, 0, 2}},
         .notice = NotNumbers(1, 1, 2, "\\x00")},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestDir dir;
        RecordingMessageSink sink;
        ScopedMessageSink scope(sink);
        TDataOpenDialog reader;
        reader.FileName = dir.Write("data.txt", c.content);
        reader.DivMark = c.divMark;
        reader.ReadTitle = c.readTitle;
        reader.Step = c.step;
        reader.StepNum = c.stepNum;
        reader.DecimalComma = c.decimalComma;
        if (c.memory) reader.AvailableMemory = [&] { return c.memory; };
        EXPECT_EQ(reader.ReadData(), c.ok);
        std::vector<std::string> messages;
        for (const std::string& m : c.messages)
            messages.push_back(FormatText(m, {reader.FileName}));
        EXPECT_EQ(sink.Texts, messages);
        if (c.col) {
            EXPECT_EQ(reader.Col(), c.col);
        }
        if (c.row) {
            EXPECT_EQ(reader.Row(), c.row);
        }
        for (const CellValue& v : c.cells) {
            if (std::isnan(v.value))
                EXPECT_TRUE(std::isnan(reader.Cell(v.col, v.row)))
                    << "cell " << v.col << "," << v.row << " is " << reader.Cell(v.col, v.row);
            else
                EXPECT_EQ(reader.Cell(v.col, v.row), v.value) << "cell " << v.col << "," << v.row;
        }
        for (std::size_t i = 0; i < c.titles.size(); ++i)
            EXPECT_EQ(reader.Title(int(i)), c.titles[i]) << "title " << i;
        EXPECT_EQ(reader.NotNumberNotice(), c.notice);
        ExpectPiecesReadAsOneThread(c);
    }
}

TEST(ReadData, ATitleRowOfMoreNamesThanColumnsKeepsThem) {
    TestDir dir;
    std::string titles;
    for (int i = 0; i < 60; ++i) titles += "n" + std::to_string(i) + " ";
    TDataOpenDialog reader;
    reader.FileName = dir.Write("t.txt", titles + "\n1 2\n3 4\n");
    reader.DivMark = kSpace;
    reader.ReadTitle = true;
    ASSERT_TRUE(reader.ReadData());
    EXPECT_EQ(reader.Title(0), "n0");
    EXPECT_EQ(reader.Title(59), "n59");
}

}  // namespace
