// A file cut into pieces, each parsed on a thread of its own, reads as one
// thread reads it: the same table, titles, time forms, notice and messages.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "data/ReadCases.h"
#include "data/TDataOpenDialog.h"
#include "platform/MessageSink.h"

namespace {

struct ReadResult {
    bool ok = false;
    int col = 0, row = 0;
    std::vector<double> cells;
    std::vector<std::string> titles;
    std::vector<std::string> timeForms;
    std::string notice;
    std::vector<std::string> messages;
};

std::string Describe(const TimeForm* form) {
    if (!form) return "-";
    return std::string(1, form->DateSeparator) + char('0' + form->TimeParts) +
           char('0' + form->FractionDigits) + form->TimeSeparator +
           char('0' + int(form->ZoneKind)) + std::to_string(form->OffsetMinutes) +
           (form->Padded ? "p" : "") + (form->TimeOfDay ? "t" : "");
}

ReadResult ReadIn(const std::string& path, const ReadCase& c, int threads) {
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    TDataOpenDialog reader;
    reader.FileName = path;
    reader.DivMark = c.divMark;
    reader.ReadTitle = c.readTitle;
    reader.Step = c.step;
    reader.StepNum = c.stepNum;
    reader.DecimalComma = c.decimalComma;
    reader.Threads = threads;
    reader.MinPieceBytes = 1;
    if (c.memory) reader.AvailableMemory = [&] { return c.memory; };
    ReadResult r;
    r.ok = reader.ReadData();
    r.col = reader.Col();
    r.row = reader.Row();
    if (r.ok) {
        for (int col = 0; col < r.col; ++col) {
            r.titles.push_back(reader.Title(col));
            r.timeForms.push_back(Describe(reader.TimeFormOf(col)));
            for (int row = 0; row < r.row; ++row) r.cells.push_back(reader.Cell(col, row));
        }
    }
    r.notice = reader.NotNumberNotice();
    r.messages = sink.Texts;
    return r;
}

}  // namespace

void ExpectPiecesReadAsOneThread(const ReadCase& c) {
    TestDir dir;
    const std::string path = dir.Write("pieces.txt", c.content);
    const ReadResult one = ReadIn(path, c, 1);
    for (int threads : {2, 7}) {
        SCOPED_TRACE(std::to_string(threads) + " threads");
        const ReadResult many = ReadIn(path, c, threads);
        EXPECT_EQ(many.ok, one.ok);
        EXPECT_EQ(many.col, one.col);
        EXPECT_EQ(many.row, one.row);
        // Bit for bit: a missing value in the same cells, -0 kept.
        ASSERT_EQ(many.cells.size(), one.cells.size());
        EXPECT_TRUE(one.cells.empty() || std::memcmp(many.cells.data(), one.cells.data(),
                                                     one.cells.size() * sizeof(double)) == 0);
        EXPECT_EQ(many.titles, one.titles);
        EXPECT_EQ(many.timeForms, one.timeForms);
        EXPECT_EQ(many.notice, one.notice);
        EXPECT_EQ(many.messages, one.messages);
    }
}

namespace {

TEST(ReadData, PiecesOnManyThreadsReadAsOne) {
    // Every kind of field over many lines, so that each piece holds some:
    // numbers long and short, words, infinities, dates in two forms, empty
    // fields, comments, CR line ends and blank lines at the end.
    std::string mixed = "# logger\r\nwhen,a,b,c\r\n";
    for (int i = 0; i < 300; ++i) {
        mixed += i % 2 ? "2024-01-31T06:00:0" + std::to_string(i % 10) + "Z," : "2024/1/31 06:00,";
        mixed += i % 7 == 3 ? "word" : std::to_string(i * 0.125);
        mixed += i % 11 == 5 ? ",inf," : ",1.23456789012345678e-300,";
        mixed += i % 13 == 0 ? "\r\n" : "-0\r\n";
        if (i % 50 == 0) mixed += "% note\r\n";
    }
    mixed += "\r\n\r\n";
    const ReadCase cases[] = {
        {.name = "every kind of field",
         .content = mixed,
         .divMark = DataOpenOptions::kCommaDivMark,
         .readTitle = true},
        {.name = "a number out of range in a late piece",
         .content = Lines(200, "1 2\n") + "3 1e999\n" + Lines(200, "4 x\n")},
        {.name = "the start line skipped",
         .content = Lines(100, "5 6\n"),
         .step = true,
         .stepNum = 40},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectPiecesReadAsOneThread(c);
    }
}

}  // namespace
