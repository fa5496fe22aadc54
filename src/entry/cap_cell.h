#pragma once

#include <string_view>

#include "platform/flex_grid.h"

namespace stelvador {

// The analysis grid's shape: the heading row and 300 analysis rows; the row-number column, the
// sample column and the 42 oxide columns.
inline constexpr int kAnalysisGridRows = 301;
inline constexpr int kAnalysisGridCols = 44;
inline constexpr int kAnalysisRowCount = 300;
inline constexpr int kSampleColumn = 1;
inline constexpr int kFirstOxideColumn = 2;

// The heading capCell gives a column of the analysis grid ("Row No", "Sample No", "SiO2", ...),
// or the empty text for a column the grid does not have.
std::string_view AnalysisGridHeading(int col);

// Lays the analysis grid out: 44 columns, 301 rows, the centred heading row ("Row No",
// "Sample No", the oxide list) and the centred row numbers 1 to 300. Cell texts of the data
// block stay; nothing is cleared. Leaves the current cell at row 0, column 43. A failing grid
// operation is passed on to the caller.
void capCell(FlexGrid& grid);

}  // namespace stelvador
