#include "platform/TStringGrid.h"

#include <algorithm>

void TStringGrid::SetSize(int colCount, int rowCount) {
    colCount = std::max(colCount, 0);
    rowCount = std::max(rowCount, 0);
    if (colCount == colCount_ && rowCount == rowCount_) return;
    std::vector<std::string> cells(std::size_t(colCount) * rowCount);
    const int keepCols = std::min(colCount, colCount_);
    const int keepRows = std::min(rowCount, rowCount_);
    for (int r = 0; r < keepRows; ++r)
        for (int c = 0; c < keepCols; ++c)
            cells[std::size_t(r) * colCount + c] = std::move(cells_[Index(c, r)]);
    cells_ = std::move(cells);
    colCount_ = colCount;
    rowCount_ = rowCount;
}
