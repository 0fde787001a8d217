#include "data/TDataOpenDialog.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>

#include "data/TextLines.h"
#include "platform/Cp932.h"
#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/PlainFile.h"
#include "platform/RaisedError.h"
#include "platform/TimeText.h"

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

// A field as the user reads it in a message: without the blanks around
// it, UTF-8 or else Shift-JIS, and control characters written "\x00".
std::string ShownField(std::string_view field) {
    field = WithoutSpaces(field);
    const std::string text = IsValidUtf8(field) ? std::string(field) : Cp932ToUtf8(field);
    std::string shown;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 15];
        } else {
            shown += c;
        }
    }
    return shown;
}

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
void JoinDatesAndTimes(std::vector<double>& table, std::size_t stride,
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
            dates[r] = FromCivil(civil, true);
        }
    }
}

}  // namespace

TDataOpenDialog::TDataOpenDialog() : table_(1, 0.0) {}

std::vector<double> TDataOpenDialog::TakeTable() {
    std::vector<double> table = std::move(table_);
    table_.assign(1, 0.0);
    stride_ = 0;
    return table;
}

bool TDataOpenDialog::Execute(const DataOpenFormFunction& showForm) {
    const auto preview = LoadFirstTextLines(FileName, kPreviewLines);
    if (!preview) {
        ShowMessage(ReadRefusalText(FileName));
        return false;
    }
    std::vector<std::string> previewLines;
    for (std::string_view line : preview->Lines) previewLines.push_back(DecodeFileText(line));

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

bool TDataOpenDialog::ReadData() {
    notNumbers_ = {};
    const auto text = LoadTextLines(FileName);
    if (!text) {
        ShowMessage(ReadRefusalText(FileName));
        return false;
    }
    const std::vector<std::string_view>& lines = text->Lines;
    if (lines.size() < 2) {
        ShowMessage(FormatText(lines.empty() ? kEmptyFileText : kOneLineText, {FileName}));
        return false;
    }

    const FieldSplitter splitter(DivMark);
    const auto lineCount = std::int64_t(lines.size());
    // The lines to skip are counted in the file as it is, comments included.
    std::int64_t start = Step ? StepNum : 0;
    if (start < 0 || start >= lineCount) Raise(kListIndexText);
    auto nextUsedLine = [&](std::int64_t j) {
        while (j < lineCount && IsCommentLine(lines[std::size_t(j)])) ++j;
        return j;
    };
    start = nextUsedLine(start);
    if (start >= lineCount) {
        ShowMessage(FormatText(kNoDataLineText, {FileName}));
        return false;
    }

    const char point = DecimalPoint();
    const auto oldTitles = titles_;
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
        const std::string_view firstLine = lines[std::size_t(start)];
        if (HoldsText(firstLine, splitter, point)) {
            takeTitles(firstLine);
            ++start;
            if (start >= lineCount) Raise(kListIndexText);
            start = nextUsedLine(start);
            if (start >= lineCount) {
                titles_ = oldTitles;
                ShowMessage(FormatText(kNoDataLineText, {FileName}));
                return false;
            }
        } else {
            // A first line of numbers is data. Its titles may stand in the
            // comment line just above it, as numpy writes them.
            const std::int64_t firstLookedAt = Step ? StepNum : 0;
            if (start > firstLookedAt) {
                const std::string_view header = CommentText(lines[std::size_t(start - 1)]);
                if (splitter.Count(header, kMaxCol + 1) == splitter.Count(firstLine, kMaxCol + 1))
                    takeTitles(header);
            }
        }
    }

    // The data rows: every line from the first data line on but comments,
    // and lines without any value at the very end. The first data line
    // always is one.
    std::int64_t last = lineCount - 1;
    while (last > start &&
           (splitter.IsEmpty(lines[std::size_t(last)]) || IsCommentLine(lines[std::size_t(last)])))
        --last;
    std::vector<std::int64_t> rowLines;
    for (std::int64_t j = start; j <= last; ++j)
        if (!IsCommentLine(lines[std::size_t(j)])) rowLines.push_back(j);

    const int n = std::max(1, splitter.Count(lines[std::size_t(start)], kMaxCol + 1));
    const int oldRow = row_, oldCol = col_;
    row_ = int(std::min<std::size_t>(rowLines.size(), INT32_MAX));
    col_ = n;
    // The table, the grid's numbers and a drawing's copies of the columns
    // it uses: about three times the table.
    const std::uint64_t tableBytes = std::uint64_t(col_) * std::uint64_t(row_) * sizeof(double);
    const std::uint64_t roomBytes = AvailableMemory() / 3;
    // The table rounded up, the room down, so that the two never read the same.
    auto size = [](std::uint64_t bytes, bool up) {
        const std::uint64_t unit = bytes >= 10000000 ? 1000000 : 1000;
        return std::to_string((bytes + (up ? unit - 1 : 0)) / unit) +
               (unit == 1000 ? " KB" : " MB");
    };
    std::string tooLarge;
    if (col_ > kMaxCol)
        tooLarge = FormatText(kTooManyColumnsText, {IntToStr(col_), IntToStr(kMaxCol)});
    else if (rowLines.size() > std::size_t(INT32_MAX) - 1)
        tooLarge = FormatText(kTooManyRowsText,
                              {std::to_string(rowLines.size()), IntToStr(INT32_MAX - 1)});
    else if (tableBytes > roomBytes)
        tooLarge = FormatText(
            kTooLargeForMemoryText,
            {IntToStr(col_), IntToStr(row_), size(tableBytes, true), size(roomBytes, false)});
    if (!tooLarge.empty()) {
        ShowMessage(tooLarge);
        return false;
    }

    const std::size_t stride = std::size_t(row_);
    const bool eachSeparates = splitter.EachSeparates();
    std::vector<double> table;
    try {
        table.resize(std::size_t(col_) * stride);
    } catch (const std::bad_alloc&) {
        ShowMessage(FormatText(
            kTooLargeForMemoryText,
            {IntToStr(col_), IntToStr(row_), size(tableBytes, true), size(roomBytes, false)}));
        return false;
    }
    auto refuse = [&](const std::string& message) {
        ShowMessage(message);
        // Nothing of the refused file is kept.
        titles_ = oldTitles;
        row_ = oldRow;
        col_ = oldCol;
        return false;
    };
    NotNumbers notNumbers;
    std::vector<std::optional<TimeForm>> timeForms(static_cast<std::size_t>(col_));
    std::int64_t numbers = 0;
    std::string scratch;
    for (int r = 0; r < row_; ++r) {
        const std::int64_t lineIndex = rowLines[std::size_t(r)];
        const std::string_view line = lines[std::size_t(lineIndex)];
        const std::size_t n = line.size();
        std::size_t i = 0;
        int c = 0;
        double* cell = table.data() + r;
        while (c < col_ && n > 0) {
            if (!eachSeparates) {
                while (i < n && splitter.IsDelimiter(line[i])) ++i;
                if (i >= n) break;
            }
            // Most fields are plain numbers, read in the same pass as the
            // split, also in quotes as pandas writes them; anything else
            // goes the general way.
            double value = 0.0;
            const bool quoted = i < n && line[i] == '"';
            const std::size_t first = i + quoted;
            const std::size_t fast = FastDecimal(line.substr(first), value, point);
            std::size_t fieldEnd = first + fast;
            const bool closed = !quoted || (fieldEnd < n && line[fieldEnd++] == '"');
            if (fast == 0 || !closed || (fieldEnd < n && !splitter.IsDelimiter(line[fieldEnd]))) {
                const FieldSplitter::Field field = splitter.Scan(line, i, scratch);
                fieldEnd = field.End;
                const TimeField time = ReadTimeField(field.Text);
                DataNumber number;
                if (time.Kind == TimeField::Valid) {
                    number = {DataNumber::Number, time.Seconds};
                    if (!timeForms[std::size_t(c)]) timeForms[std::size_t(c)] = time.Form;
                } else if (time.Kind == TimeField::Invalid) {
                    // A date that is none (2024-02-30) is missing, never its year.
                    number = {DataNumber::Text, kMissingValue};
                } else {
                    number = ReadDataNumber(field.Text, point);
                }
                value = number.Value;
                if (number.Kind == DataNumber::OutOfRange)
                    return refuse(FormatText(kOutOfRangeText, {FileName, IntToStr(lineIndex + 1),
                                                               ShownField(field.Text)}));
                if (number.Kind == DataNumber::Text || number.Kind == DataNumber::Infinite) {
                    if (notNumbers.Count++ == 0) {
                        notNumbers.Line = lineIndex + 1;
                        notNumbers.Column = c + 1;
                        notNumbers.Text = ShownField(field.Text);
                    }
                }
                numbers += number.Kind == DataNumber::Number;
            } else {
                ++numbers;
            }
            cell[std::size_t(c) * stride] = value;
            ++c;
            i = fieldEnd;
            if (eachSeparates) {
                if (i >= n) break;
                ++i;  // past the delimiter; at the line end an empty field follows
            }
        }
        // Cells the line does not give are missing, not another file's
        // numbers.
        for (; c < col_; ++c) cell[std::size_t(c) * stride] = kMissingValue;
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
