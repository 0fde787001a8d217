#pragma once

#include <string>
#include <vector>

#include "document/GraphDocument.h"

// Columns computed from a formula over the columns of the same row: `c`n
// is column n (1-based), `row` the row number from 1; muparser's functions
// and operators, and mean, min, max and sum of a whole column (`mean(c2)`;
// with two or more arguments min, max and sum take them row by row).
// Missing values, and results that are not finite, are missing.
inline constexpr const char* kComputedColumnText = "計算列の式 %s を計算できません: %s";
inline constexpr const char* kNoSuchColumnText = "列 %s はありません (ﾃﾞｰﾀは %s 列です)";

// The column's values for rows 1 ... rows of `table`, whose columns 1 ...
// columns the formula may name. False, with the reason, for a formula that
// does not parse or names a column that is not there.
bool ComputeColumn(const TStringGrid& table, int columns, int rows, const std::string& formula,
                   std::vector<double>& values, std::string& reason);

// Computes the column and appends it to the document's table with its
// formula as title, a series row for it (plotted, in the legend) and the
// formula to the list that configuration files keep. A formula that cannot
// be computed is told, and false.
bool AddComputedColumn(GraphDocument& doc, const std::string& formula);

// Takes the computed columns away, with their series.
void RemoveComputedColumns(GraphDocument& doc);

// Each formula in turn (later ones may use earlier ones).
void AddComputedColumns(GraphDocument& doc, const std::vector<std::string>& formulas);
