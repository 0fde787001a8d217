#include "platform/TStringGrid.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/NumberText.h"

namespace {

// What reading a number's shown text gives: the number rounded to 15
// significant digits, as every drawing read it when cells were texts.
// Numbers read from text of 15 digits or fewer are already that number;
// the shortest text that gives the number back tells, much faster than
// writing and reading the 15-digit text.
double ShownNumber(double value) {
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (written.ec == std::errc()) {
        int digits = 0;
        bool leading = true;
        for (const char* c = buffer; c < written.ptr && *c != 'e'; ++c) {
            if (*c < '0' || *c > '9') continue;
            leading = leading && *c == '0';
            digits += !leading;
        }
        if (digits <= 15) return value;
    }
    double shown = value;
    if (!TryStrToFloat(FloatToText(value), shown)) shown = value;
    return shown;
}

}  // namespace

void TStringGrid::SetSize(int colCount, int rowCount) {
    colCount = std::max(colCount, 0);
    rowCount = std::max(rowCount, 0);
    if (colCount == colCount_ && rowCount == rowCount_) return;
    const int bodyCols = std::max(colCount - FixedCols, 0);
    const int bodyRows = std::max(rowCount - FixedRows, 0);
    std::vector<double> numbers(std::size_t(bodyCols) * std::size_t(bodyRows), kMissingValue);
    std::vector<bool> hasText(numbers.size());
    std::unordered_map<std::size_t, std::string> texts;
    const int keepCols = std::min(colCount, colCount_);
    const int keepRows = std::min(rowCount, rowCount_);
    for (int r = FixedRows; r < keepRows; ++r)
        for (int c = FixedCols; c < keepCols; ++c)
            numbers[std::size_t(r - FixedRows) * std::size_t(bodyCols) +
                    std::size_t(c - FixedCols)] = numbers_[BodyIndex(c, r)];
    for (auto& [key, text] : texts_) {
        const int c = int(key % std::size_t(colCount_)), r = int(key / std::size_t(colCount_));
        if (c >= keepCols || r >= keepRows) continue;
        texts.emplace(std::size_t(r) * std::size_t(colCount) + std::size_t(c), std::move(text));
        if (InBody(c, r))
            hasText[std::size_t(r - FixedRows) * std::size_t(bodyCols) +
                    std::size_t(c - FixedCols)] = true;
    }
    numbers_ = std::move(numbers);
    hasText_ = std::move(hasText);
    timeForms_.erase(timeForms_.lower_bound(colCount), timeForms_.end());
    texts_ = std::move(texts);
    colCount_ = colCount;
    rowCount_ = rowCount;
}

std::string TStringGrid::Cell(int col, int row) const {
    // Outside the grid there is nothing; a key there would alias a cell.
    if (!Contains(col, row)) return std::string();
    if (!InBody(col, row)) {
        if (const auto text = texts_.find(Key(col, row)); text != texts_.end()) return text->second;
        return NumberedRows && col == 0 && row >= FixedRows ? std::to_string(row) : std::string();
    }
    if (hasText_[BodyIndex(col, row)]) return texts_.at(Key(col, row));
    const double value = numbers_[BodyIndex(col, row)];
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    if (std::isnan(value)) return std::string();
    if (const TimeForm* form = TimeFormOf(col)) return TimeText(value, *form);
    return FloatToText(value);
}

void TStringGrid::SetCell(int col, int row, std::string text) {
    if (!Contains(col, row)) return;
    texts_[Key(col, row)] = std::move(text);
    if (InBody(col, row)) hasText_[BodyIndex(col, row)] = true;
}

void TStringGrid::SetNumber(int col, int row, double value) {
    if (!Contains(col, row)) return;
    if (!InBody(col, row)) {
        SetCell(col, row, std::isnan(value) ? std::string() : FloatToText(value));
        return;
    }
    const std::size_t index = BodyIndex(col, row);
    if (hasText_[index]) {
        texts_.erase(Key(col, row));
        hasText_[index] = false;
    }
    numbers_[index] = std::isnan(value) ? kMissingValue : ShownNumber(value);
}

bool TStringGrid::NumberAt(int col, int row, double& value) const {
    if (!Contains(col, row) || !InBody(col, row) || hasText_[BodyIndex(col, row)]) return false;
    value = numbers_[BodyIndex(col, row)];
    return true;
}
