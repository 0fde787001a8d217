#include "platform/TStringGrid.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/NumberText.h"

void TStringGrid::SetSize(int colCount, int rowCount) {
    colCount = std::max(colCount, 0);
    rowCount = std::max(rowCount, 0);
    if (colCount == colCount_ && rowCount == rowCount_) return;
    std::vector<double> numbers(std::size_t(colCount) * std::size_t(rowCount), kMissingValue);
    std::unordered_map<std::size_t, std::string> texts;
    std::vector<bool> hasText(numbers.size());
    const int keepCols = std::min(colCount, colCount_);
    const int keepRows = std::min(rowCount, rowCount_);
    for (int r = 0; r < keepRows; ++r)
        for (int c = 0; c < keepCols; ++c)
            numbers[std::size_t(r) * std::size_t(colCount) + std::size_t(c)] =
                numbers_[Index(c, r)];
    for (auto& [index, text] : texts_) {
        const int c = int(index % std::size_t(colCount_)), r = int(index / std::size_t(colCount_));
        if (c < keepCols && r < keepRows) {
            const std::size_t moved = std::size_t(r) * std::size_t(colCount) + std::size_t(c);
            texts.emplace(moved, std::move(text));
            hasText[moved] = true;
        }
    }
    numbers_ = std::move(numbers);
    hasText_ = std::move(hasText);
    texts_ = std::move(texts);
    colCount_ = colCount;
    rowCount_ = rowCount;
}

std::string TStringGrid::Cell(int col, int row) const {
    const std::size_t index = Index(col, row);
    if (hasText_[index]) return texts_.at(index);
    const double value = numbers_[index];
    return std::isnan(value) ? std::string() : FloatToText(value);
}

void TStringGrid::SetCell(int col, int row, std::string text) {
    const std::size_t index = Index(col, row);
    texts_[index] = std::move(text);
    hasText_[index] = true;
}

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

void TStringGrid::SetNumber(int col, int row, double value) {
    const std::size_t index = Index(col, row);
    if (hasText_[index]) {
        texts_.erase(index);
        hasText_[index] = false;
    }
    numbers_[index] = std::isnan(value) ? kMissingValue : ShownNumber(value);
}

bool TStringGrid::NumberAt(int col, int row, double& value) const {
    const std::size_t index = Index(col, row);
    if (hasText_[index]) return false;
    value = numbers_[index];
    return true;
}
