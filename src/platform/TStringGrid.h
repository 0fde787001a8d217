#pragma once

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/LargeAllocator.h"
#include "platform/TimeText.h"

// The cells of a string grid, with the grid's designed geometry. Column 0
// and row 0 are the fixed header column and row.
//
// A cell of the body holds a number or a text. Numbers (a million rows of
// them) cost eight bytes a cell and are shown in their 15-digit general
// form; only the cells given a text (the user's edits) keep one. The
// numbers lie column after column, as the reader fills them, so that a
// file's table becomes the grid's without a copy and a drawing reads a
// column where it lies. The fixed
// cells hold texts; with NumberedRows, column 0 shows the row numbers
// without holding them.
class TStringGrid {
  public:
    TStringGrid(int colCount, int rowCount) { SetSize(colCount, rowCount); }

    // A grid of `cols` columns of `rows` numbers below the fixed row and
    // beside the fixed column, taken over: column after column, rows values
    // each.
    static TStringGrid OfColumns(int cols, int rows, NumberVector numbers);

    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    // Changes the size; cells that stay inside keep their contents, new
    // cells are empty.
    void SetSize(int colCount, int rowCount);

    // The cell's text: the text it was given, or its number's general
    // form, or "" for no number (and outside the grid, where writes are
    // ignored).
    std::string Cell(int col, int row) const;
    void SetCell(int col, int row, std::string text);
    // A number (NaN for none): the cell shows its general form, and reads
    // back as the number that text gives, computed here once.
    void SetNumber(int col, int row, double value);
    // The number the cell's text gives, when the cell holds a number;
    // false for a cell given a text, which the reader parses itself.
    bool NumberAt(int col, int row, double& value) const;
    // Body column col's numbers, rows 1 to RowCount - 1, when none of its
    // cells was given a text; nothing otherwise.
    const double* ColumnNumbers(int col) const;
    // Copies a table (column after column, `rows` numbers each, shown
    // numbers already) into the body from column firstCol and row 1 on.
    void SetColumns(int firstCol, int cols, int rows, const NumberVector& numbers);
    bool Contains(int col, int row) const {
        return col >= 0 && row >= 0 && col < colCount_ && row < rowCount_;
    }

    // A column of times: its numbers are seconds since 1970 and show as
    // times in the form they were read in. Columns without one show
    // numbers.
    void SetTimeForm(int col, const TimeForm& form) { timeForms_[col] = form; }
    const TimeForm* TimeFormOf(int col) const {
        const auto form = timeForms_.find(col);
        return form == timeForms_.end() ? nullptr : &form->second;
    }

    // Column 0 shows 1, 2, 3, ... below the fixed row, unless a cell was
    // given a text.
    bool NumberedRows = false;
    bool operator==(const TStringGrid&) const = default;
    static constexpr int FixedCols = 1;
    static constexpr int FixedRows = 1;
    int DefaultRowHeight = 18;
    int DefaultColWidth = 64;

  private:
    bool InBody(int col, int row) const { return col >= FixedCols && row >= FixedRows; }
    // A body cell's place among the numbers.
    std::size_t BodyIndex(int col, int row) const {
        return std::size_t(col - FixedCols) * std::size_t(rowCount_ - FixedRows) +
               std::size_t(row - FixedRows);
    }
    // Any cell's key among the texts.
    std::size_t Key(int col, int row) const {
        return std::size_t(row) * std::size_t(colCount_) + std::size_t(col);
    }
    int colCount_ = 0;
    int rowCount_ = 0;
    NumberVector numbers_;
    // Which body cells were given a text, a bit each: reading a million
    // numbers asks for every cell.
    std::vector<bool> hasText_;
    std::unordered_map<std::size_t, std::string> texts_;
    std::map<int, TimeForm> timeForms_;
};
