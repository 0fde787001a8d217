#pragma once

#include <string>
#include <vector>

// The cells of a string grid as texts, with the grid's designed geometry.
// Column 0 and row 0 are the fixed header column and row.
class TStringGrid {
public:
    TStringGrid(int colCount, int rowCount) { SetSize(colCount, rowCount); }

    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    // Changes the size; cells that stay inside keep their texts.
    void SetSize(int colCount, int rowCount);

    const std::string& Cell(int col, int row) const { return cells_[Index(col, row)]; }
    std::string& CellRef(int col, int row) { return cells_[Index(col, row)]; }
    void SetCell(int col, int row, std::string text) { cells_[Index(col, row)] = std::move(text); }
    bool Contains(int col, int row) const {
        return col >= 0 && row >= 0 && col < colCount_ && row < rowCount_;
    }

    int FixedCols = 1;
    int FixedRows = 1;
    int DefaultRowHeight = 18;
    int DefaultColWidth = 64;

private:
    std::size_t Index(int col, int row) const { return std::size_t(row) * colCount_ + col; }
    int colCount_ = 0;
    int rowCount_ = 0;
    std::vector<std::string> cells_;
};
