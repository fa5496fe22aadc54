#pragma once

namespace stelvador {

class FlexGrid;

// The results grid: a column-number row and a heading row, then one row per analysis.
inline constexpr int kResultsGridColumns = 135;
inline constexpr int kResultsGridLayoutRows = 2;
inline constexpr int kResultsHeadingRow = 1;

// Lays the results grid out as the results window's load does, in its order: the minimum row
// height, 135 columns, the column-number row (the product name in the corner, then "1" to
// "134", all centred), the heading row (centred, "Mn2O3" in column 7 right-top; the spacer
// columns and columns 131 to 134 untouched), and cell (0, 0) current again.
void LayOutResultsGrid(FlexGrid& grid, int rowHeightMinTwips);

}  // namespace stelvador
