#include "platform/TStringGrid.h"

#include <algorithm>
#include <cmath>

#include "platform/NumberText.h"

TStringGrid TStringGrid::OfColumns(int cols, int rows, NumberVector numbers) {
    TStringGrid grid(0, 0);
    cols = std::max(cols, 0);
    rows = std::max(rows, 0);
    numbers.resize(std::size_t(cols) * std::size_t(rows), kMissingValue);
    grid.numbers_ = std::move(numbers);
    grid.hasText_.assign(grid.numbers_.size(), false);
    grid.colCount_ = cols + FixedCols;
    grid.rowCount_ = rows + FixedRows;
    return grid;
}

const double* TStringGrid::ColumnNumbers(int col) const {
    if (col < FixedCols || col >= colCount_ || rowCount_ <= FixedRows) return nullptr;
    for (const auto& [key, text] : texts_)
        if (int(key % std::size_t(colCount_)) == col &&
            int(key / std::size_t(colCount_)) >= FixedRows)
            return nullptr;
    return numbers_.data() + BodyIndex(col, FixedRows);
}

void TStringGrid::SetColumns(int firstCol, int cols, int rows, const NumberVector& numbers) {
    if (cols <= 0 || rows <= 0 || numbers.size() < std::size_t(cols) * std::size_t(rows)) return;
    for (int i = 0; i < cols; ++i) {
        const int col = firstCol + i;
        if (col < FixedCols || col >= colCount_) continue;
        const int n = std::min(rows, rowCount_ - FixedRows);
        const double* from = numbers.data() + std::size_t(i) * std::size_t(rows);
        for (int j = 0; j < n; ++j) {
            const std::size_t index = BodyIndex(col, j + FixedRows);
            if (hasText_[index]) {
                texts_.erase(Key(col, j + FixedRows));
                hasText_[index] = false;
            }
            numbers_[index] = from[j];
        }
    }
}

void TStringGrid::SetSize(int colCount, int rowCount) {
    colCount = std::max(colCount, 0);
    rowCount = std::max(rowCount, 0);
    if (colCount == colCount_ && rowCount == rowCount_) return;
    const int bodyCols = std::max(colCount - FixedCols, 0);
    const int bodyRows = std::max(rowCount - FixedRows, 0);
    NumberVector numbers(std::size_t(bodyCols) * std::size_t(bodyRows), kMissingValue);
    std::vector<bool> hasText(numbers.size());
    std::unordered_map<std::size_t, std::string> texts;
    const int keepCols = std::min(colCount, colCount_);
    const int keepRows = std::min(rowCount, rowCount_);
    for (int c = FixedCols; c < keepCols; ++c)
        if (keepRows > FixedRows)
            std::copy_n(numbers_.begin() + std::ptrdiff_t(BodyIndex(c, FixedRows)),
                        keepRows - FixedRows,
                        numbers.begin() +
                            std::ptrdiff_t(std::size_t(c - FixedCols) * std::size_t(bodyRows)));
    for (auto& [key, text] : texts_) {
        const int c = int(key % std::size_t(colCount_)), r = int(key / std::size_t(colCount_));
        if (c >= keepCols || r >= keepRows) continue;
        texts.emplace(std::size_t(r) * std::size_t(colCount) + std::size_t(c), std::move(text));
        if (InBody(c, r))
            hasText[std::size_t(c - FixedCols) * std::size_t(bodyRows) +
                    std::size_t(r - FixedRows)] = true;
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
