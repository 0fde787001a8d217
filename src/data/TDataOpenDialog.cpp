#include "data/TDataOpenDialog.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>

#include "data/LineStream.h"
#include "data/TableRows.h"
#include "platform/Cp932.h"
#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/PlainFile.h"
#include "platform/RaisedError.h"
#include "platform/SideBySide.h"
#include "platform/TimeText.h"
#include "platform/UsableCores.h"

namespace {

// The size found and the limit it passes.
constexpr const char* kTooManyColumnsText = "データサイズが大きすぎます (%s 列; %s 列まで)";
constexpr const char* kTooManyRowsText = "データサイズが大きすぎます (%s 行; %s 行まで)";
constexpr const char* kTooLargeForMemoryText =
    "データサイズが大きすぎます (%s 列 x %s 行で %s; 今のメモリで読めるのは %s まで)";
constexpr const char* kOutOfRangeText = "ﾌｧｲﾙ %s の %d 行目の数値 '%s' は大きすぎます";
constexpr const char* kEmptyFileText = "ﾌｧｲﾙ %s は空です";
constexpr const char* kOneLineText = "ﾌｧｲﾙ %s は 1 行しかないので読めません (2 行以上必要です)";
constexpr const char* kNoDataLineText = "ﾌｧｲﾙ %s にﾃﾞｰﾀの行がありません";
constexpr const char* kNoNumbersText = "ﾌｧｲﾙ %s には '%s' 区切りの数値の行がありません";
constexpr const char* kNotNumbersText =
    "%s 個の値は数値ではないので欠損値にしました (最初は %s 行目 %s 列の '%s')";

// A title is its field without leading and trailing characters of code 32
// or less.
std::string_view TrimTitle(std::string_view field) {
    while (!field.empty() && static_cast<unsigned char>(field.front()) <= 32)
        field.remove_prefix(1);
    while (!field.empty() && static_cast<unsigned char>(field.back()) <= 32) field.remove_suffix(1);
    return field;
}

// A column of dates followed by one of times of day (a date and a time
// with a blank between, split by the blank delimiter): the dates take the
// times, so that the first column alone is the whole time of each row. A
// row without its time keeps its date's midnight.
void JoinDatesAndTimes(NumberVector& table, std::size_t stride,
                       const std::vector<std::optional<TimeForm>>& forms) {
    for (std::size_t c = 0; c + 1 < forms.size(); ++c) {
        const auto &date = forms[c], &time = forms[c + 1];
        if (!date || date->TimeOfDay || date->TimeParts != 0 || !time || !time->TimeOfDay) continue;
        double* dates = table.data() + c * stride;
        const double* clock = dates + stride;
        for (std::size_t r = 0; r < stride; ++r) {
            if (!IsCalendarTime(dates[r]) || std::isnan(clock[r])) continue;
            CivilTime civil = ToCivil(dates[r], true);
            civil.Hour = civil.Minute = 0;
            civil.Second = clock[r];
            dates[r] = ShownNumber(FromCivil(civil, true));
        }
    }
}

}  // namespace

TDataOpenDialog::TDataOpenDialog() : table_(1, 0.0) {}

NumberVector TDataOpenDialog::TakeTable() {
    NumberVector table = std::move(table_);
    table_.assign(1, 0.0);
    stride_ = 0;
    return table;
}

bool TDataOpenDialog::Execute(const DataOpenFormFunction& showForm) {
    // The first lines, read from at most a megabyte of the file, so that a
    // preview of a file without line breaks stays quick.
    constexpr std::uint64_t kPreviewBytes = std::uint64_t(1) << 20;
    const PlainFileReader file(FileName);
    std::vector<std::string> previewLines;
    bool read = file.IsOpen();
    if (read) {
        LineStream lines(file, 0, std::min(file.Size(), kPreviewBytes), 1 << 16);
        std::string_view line;
        while (previewLines.size() < std::size_t(kPreviewLines) && lines.Next(line))
            previewLines.push_back(DecodeFileText(line));
        read = !lines.Failed();
    }
    if (!read) {
        ShowMessage(ReadRefusalText(FileName));
        return false;
    }

    const DataOpenChoice choice = showForm(previewLines, ProposedChoice(previewLines));

    // The choices are taken over however the form was closed.
    choice.ApplyTo(*this);

    if (!choice.Accepted) return false;
    return ReadData();
}

std::string TDataOpenDialog::NotNumberNotice() const {
    if (notNumbers_.Count == 0) return {};
    return FormatText(kNotNumbersText, {IntToStr(notNumbers_.Count), IntToStr(notNumbers_.Line),
                                        IntToStr(notNumbers_.Column), notNumbers_.Text});
}

namespace {

// The lines of the file's head, one at a time, each kept with the one
// before it and where it begins.
struct HeadLines {
    explicit HeadLines(const PlainFileReader& file) : stream(file, 0, file.Size(), 1 << 16) {}
    bool Advance() {
        previous.swap(line);
        offset = stream.Offset();
        std::string_view next;
        if (!stream.Next(next)) return false;
        line.assign(next);
        ++index;
        return true;
    }
    LineStream stream;
    std::string line, previous;
    std::int64_t index = -1;
    std::uint64_t offset = 0;
};

}  // namespace

bool TDataOpenDialog::ReadData() {
    notNumbers_ = {};
    const PlainFileReader file(FileName);
    if (!file.IsOpen()) {
        ShowMessage(ReadRefusalText(FileName));
        return false;
    }
    auto unreadable = [&] {
        ShowMessage(ReadRefusalText(FileName));
        return false;
    };
    HeadLines head(file);
    {
        HeadLines firstTwo(file);
        const bool one = firstTwo.Advance();
        if (!one || !firstTwo.Advance()) {
            if (firstTwo.stream.Failed()) return unreadable();
            ShowMessage(FormatText(one ? kOneLineText : kEmptyFileText, {FileName}));
            return false;
        }
    }

    const FieldSplitter splitter(DivMark);
    // The lines to skip are counted in the file as it is, comments included.
    const std::int64_t skip = Step ? StepNum : 0;
    if (skip < 0) Raise(kListIndexText);
    while (head.index < skip)
        if (!head.Advance()) {
            if (head.stream.Failed()) return unreadable();
            Raise(kListIndexText);
        }
    auto skipComments = [&] {
        while (IsCommentLine(head.line))
            if (!head.Advance()) return false;
        return true;
    };
    if (!skipComments()) {
        if (head.stream.Failed()) return unreadable();
        ShowMessage(FormatText(kNoDataLineText, {FileName}));
        return false;
    }

    const char point = DecimalPoint();
    // A file refused or cancelled keeps nothing of itself.
    const auto oldTitles = titles_;
    const int oldRow = row_, oldCol = col_;
    auto keepOld = [&] {
        titles_ = oldTitles;
        row_ = oldRow;
        col_ = oldCol;
        return false;
    };
    int titlesGiven = 0;
    auto takeTitles = [&](std::string_view titleRow) {
        const bool utf8 = IsValidUtf8(titleRow);
        titlesGiven = 0;
        splitter.ForEach(titleRow, [&](std::string_view field) {
            const std::string_view trimmed = TrimTitle(field);
            titles_[std::size_t(titlesGiven++)] =
                utf8 ? std::string(trimmed) : Cp932ToUtf8(trimmed);
            return titlesGiven < kMaxCol;
        });
    };
    if (ReadTitle) {
        if (HoldsText(head.line, splitter, point)) {
            takeTitles(head.line);
            if (!head.Advance()) {
                if (head.stream.Failed()) return unreadable();
                Raise(kListIndexText);
            }
            if (!skipComments()) {
                keepOld();
                if (head.stream.Failed()) return unreadable();
                ShowMessage(FormatText(kNoDataLineText, {FileName}));
                return false;
            }
        } else if (head.index > skip) {
            // A first line of numbers is data. Its titles may stand in the
            // comment line just above it, as numpy writes them.
            const std::string_view header = CommentText(head.previous);
            if (splitter.Count(header, kMaxCol + 1) == splitter.Count(head.line, kMaxCol + 1))
                takeTitles(header);
        }
    }

    // The data rows: every line from the first data line on but comments,
    // and lines without any value at the very end. The first data line
    // always is one.
    const std::int64_t firstLine = head.index;
    const int threads = Threads > 0 ? Threads : UsableCores();
    std::vector<TablePiece> pieces =
        CutIntoPieces(file, head.offset, file.Size(), threads, MinPieceBytes);
    // Both passes read the rows: the progress is half of it after the first.
    ReadWatch watch;
    const double passBytes = double(std::max<std::uint64_t>(file.Size() - head.offset, 1));
    std::function<void()> waiting;
    if (Progress)
        waiting = [&] {
            if (!Progress(std::min(1.0, double(watch.Bytes.load()) / (2 * passBytes))))
                watch.Stop = true;
        };
    RunSideBySide(
        pieces.size(), int(pieces.size()),
        [&](std::size_t k) { CountRows(file, splitter, pieces[k], &watch); }, waiting);
    if (watch.Stop) return keepOld();
    std::int64_t lastLine = firstLine, rowCount = 0, lines = firstLine, rows = 0;
    for (TablePiece& piece : pieces) {
        if (piece.ReadFailed) return unreadable();
        piece.FirstLine = lines;
        piece.FirstRow = rows;
        if (piece.LastValueLine >= 0) {
            lastLine = lines + piece.LastValueLine;
            rowCount = rows + piece.RowsToLastValue;
        }
        lines += piece.Lines;
        rows += piece.Rows;
    }
    rowCount = std::max<std::int64_t>(rowCount, 1);

    const int n = std::max(1, splitter.Count(head.line, kMaxCol + 1));
    row_ = int(std::min<std::int64_t>(rowCount, INT32_MAX));
    col_ = n;
    // The table, a drawing's copies of columns that it must change (a
    // sort, a logarithmic axis) and a fit's: about three times the table.
    const std::uint64_t tableBytes = std::uint64_t(col_) * std::uint64_t(row_) * sizeof(double);
    const std::uint64_t roomBytes = AvailableMemory() / 3;
    // The table rounded up, the room down, so that the two never read the same.
    auto size = [](std::uint64_t bytes, bool up) {
        const std::uint64_t unit = bytes >= 10000000 ? 1000000 : 1000;
        return std::to_string((bytes + (up ? unit - 1 : 0)) / unit) +
               (unit == 1000 ? " KB" : " MB");
    };
    const std::string tooLargeForMemory = FormatText(
        kTooLargeForMemoryText,
        {IntToStr(col_), IntToStr(row_), size(tableBytes, true), size(roomBytes, false)});
    std::string tooLarge;
    if (col_ > kMaxCol)
        tooLarge = FormatText(kTooManyColumnsText, {IntToStr(col_), IntToStr(kMaxCol)});
    else if (rowCount > std::int64_t(INT32_MAX) - 1)
        tooLarge =
            FormatText(kTooManyRowsText, {std::to_string(rowCount), IntToStr(INT32_MAX - 1)});
    else if (tableBytes > roomBytes)
        tooLarge = tooLargeForMemory;
    if (!tooLarge.empty()) {
        ShowMessage(tooLarge);
        return false;
    }

    const std::size_t stride = std::size_t(row_);
    NumberVector table;
    try {
        table.resize(std::size_t(col_) * stride);
    } catch (const std::bad_alloc&) {
        ShowMessage(tooLargeForMemory);
        return false;
    }
    auto refuse = [&](const std::string& message) {
        ShowMessage(message);
        return keepOld();
    };
    const RowParser parser{splitter, point, col_, lastLine, table.data(), stride, &watch};
    RunSideBySide(
        pieces.size(), int(pieces.size()),
        [&](std::size_t k) { ParseRows(file, parser, pieces[k]); }, waiting);
    if (watch.Stop) return keepOld();

    NotNumbers notNumbers;
    std::vector<std::optional<TimeForm>> timeForms(static_cast<std::size_t>(col_));
    std::int64_t numbers = 0;
    for (const TablePiece& piece : pieces) {
        if (piece.ReadFailed) return refuse(ReadRefusalText(FileName));
        if (piece.OutOfRange)
            return refuse(FormatText(kOutOfRangeText, {FileName, IntToStr(piece.OutOfRange->Line),
                                                       piece.OutOfRange->Text}));
        if (piece.NotNumbers > 0 && notNumbers.Count == 0)
            notNumbers = {0, piece.FirstNotNumber.Line, piece.FirstNotNumber.Column,
                          piece.FirstNotNumber.Text};
        notNumbers.Count += piece.NotNumbers;
        numbers += piece.Numbers;
        for (std::size_t c = 0; c < timeForms.size(); ++c)
            if (!timeForms[c] && c < piece.TimeForms.size()) timeForms[c] = piece.TimeForms[c];
    }
    if (numbers == 0) {
        const auto delimiter = Delimiter();
        return refuse(FormatText(kNoNumbersText,
                                 {FileName, delimiter ? DelimiterName(*delimiter) : DivMark}));
    }

    JoinDatesAndTimes(table, stride, timeForms);
    table_ = std::move(table);
    stride_ = stride;
    timeForms_ = std::move(timeForms);
    notNumbers_ = std::move(notNumbers);
    for (int i = ReadTitle ? titlesGiven : 0; i < kMaxCol; ++i) titles_[std::size_t(i)].clear();
    return true;
}
