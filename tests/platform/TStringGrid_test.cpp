#include "platform/TStringGrid.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Numbers and texts live side by side; a resize keeps what stays inside.
TEST(TStringGrid, NumbersTextsAndResizing) {
    TStringGrid grid(3, 3);
    grid.SetNumber(1, 1, 2.5);
    grid.SetCell(2, 1, "edited");
    grid.SetNumber(2, 2, std::nan(""));
    double value = 0;
    EXPECT_TRUE(grid.NumberAt(1, 1, value));
    EXPECT_EQ(value, 2.5);
    EXPECT_EQ(grid.Cell(1, 1), "2.5");
    EXPECT_FALSE(grid.NumberAt(2, 1, value));
    EXPECT_EQ(grid.Cell(2, 1), "edited");
    EXPECT_EQ(grid.Cell(2, 2), "");  // no number
    EXPECT_EQ(grid.Cell(0, 0), "");  // never set

    grid.SetSize(2, 4);
    EXPECT_EQ(grid.Cell(1, 1), "2.5");
    EXPECT_EQ(grid.Cell(1, 3), "");  // a new cell
    grid.SetSize(3, 4);
    EXPECT_EQ(grid.Cell(2, 1), "");  // the edit went with its column

    grid.SetCell(1, 1, "x");
    grid.SetNumber(1, 1, 7);  // a number replaces the text
    EXPECT_TRUE(grid.NumberAt(1, 1, value));
    EXPECT_EQ(grid.Cell(1, 1), "7");

    // The header column shows row numbers it does not hold; a text given
    // to one of its cells wins.
    grid.NumberedRows = true;
    EXPECT_EQ(grid.Cell(0, 3), "3");
    EXPECT_EQ(grid.Cell(0, 0), "");
    grid.SetCell(0, 2, "row two");
    EXPECT_EQ(grid.Cell(0, 2), "row two");
    EXPECT_FALSE(grid.NumberAt(0, 3, value));
}

}  // namespace
