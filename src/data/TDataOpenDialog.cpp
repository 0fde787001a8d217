#include "data/TDataOpenDialog.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "data/TextLines.h"
#include "platform/Cp932.h"
#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/PlainFile.h"
#include "platform/RaisedError.h"

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

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A title is its field without leading and trailing characters of code 32
// or less.
std::string_view TrimTitle(std::string_view field) {
    while (!field.empty() && static_cast<unsigned char>(field.front()) <= 32)
        field.remove_prefix(1);
    while (!field.empty() && static_cast<unsigned char>(field.back()) <= 32) field.remove_suffix(1);
    return field;
}

}  // namespace

bool IsCommentLine(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    return i < line.size() && line[i] == '#';
}

FieldSplitter::FieldSplitter(std::string_view delimiters) {
    for (char c : delimiters)
        if (!IsBlank(c)) eachSeparates_ = true;
    // Where a delimiter such as the comma separates, blanks are part of the
    // fields.
    for (char c : delimiters)
        if (!eachSeparates_ || !IsBlank(c)) table_[static_cast<unsigned char>(c)] = true;
}

int FieldSplitter::Count(std::string_view line, int limit) const {
    int count = 0;
    ForEach(line, [&](std::string_view) { return ++count < limit; });
    return count;
}

bool FieldSplitter::IsEmpty(std::string_view line) const {
    for (char c : line)
        if (!IsDelimiter(c) && !IsSpaceCharacter(c)) return false;
    return true;
}

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

    const DataOpenChoice choice = showForm(previewLines);

    // The choices are taken over however the form was closed.
    choice.ApplyTo(*this);

    if (!choice.Accepted) return false;
    return ReadData();
}

bool TDataOpenDialog::ReadData() {
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

    const auto oldTitles = titles_;
    int titlesGiven = 0;
    if (ReadTitle) {
        const std::string_view titleRow = lines[std::size_t(start)];
        const bool utf8 = IsValidUtf8(titleRow);
        splitter.ForEach(titleRow, [&](std::string_view field) {
            const std::string_view trimmed = TrimTitle(field);
            titles_[std::size_t(titlesGiven++)] =
                utf8 ? std::string(trimmed) : Cp932ToUtf8(trimmed);
            return titlesGiven < kMaxCol;
        });
        ++start;
        if (start >= lineCount) Raise(kListIndexText);
        start = nextUsedLine(start);
        if (start >= lineCount) {
            titles_ = oldTitles;
            ShowMessage(FormatText(kNoDataLineText, {FileName}));
            return false;
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
    for (int r = 0; r < row_; ++r) {
        const std::int64_t lineIndex = rowLines[std::size_t(r)];
        const std::string_view line = lines[std::size_t(lineIndex)];
        const std::size_t n = line.size();
        std::size_t i = 0;
        int c = 0;
        while (c < col_ && n > 0) {
            if (!eachSeparates) {
                while (i < n && splitter.IsDelimiter(line[i])) ++i;
                if (i >= n) break;
            }
            // Most fields are plain numbers, read in the same pass as the
            // split; anything else goes the general way.
            double value = 0.0;
            const std::size_t fast = FastDecimal(line.substr(i), value);
            std::size_t fieldEnd = i + fast;
            if (fast == 0 || (fieldEnd < n && !splitter.IsDelimiter(line[fieldEnd]))) {
                while (fieldEnd < n && !splitter.IsDelimiter(line[fieldEnd])) ++fieldEnd;
                const std::string_view field = line.substr(i, fieldEnd - i);
                if (IsMissingValueText(field)) {
                    value = kMissingValue;
                } else {
                    const LenientNumber number = ReadLenientNumber(field);
                    if (number.OutOfRange) {
                        ShowMessage(FormatText(kOutOfRangeText,
                                               {FileName, IntToStr(lineIndex + 1), number.Text}));
                        // Nothing of the refused file is kept.
                        titles_ = oldTitles;
                        row_ = oldRow;
                        col_ = oldCol;
                        return false;
                    }
                    value = number.Value;
                }
            }
            table[std::size_t(c) * stride + r] = value;
            ++c;
            i = fieldEnd;
            if (eachSeparates) {
                if (i >= n) break;
                ++i;  // past the comma; at the line end an empty field follows
            }
        }
        // Cells the line does not give are missing, not another file's
        // numbers.
        for (; c < col_; ++c) table[std::size_t(c) * stride + r] = kMissingValue;
    }

    table_ = std::move(table);
    stride_ = stride;
    for (int i = ReadTitle ? titlesGiven : 0; i < kMaxCol; ++i) titles_[std::size_t(i)].clear();
    return true;
}
