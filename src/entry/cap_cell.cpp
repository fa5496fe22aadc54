#include "entry/cap_cell.h"

#include <string>

#include "common/oxide_list.h"

namespace stelvador {

std::string_view AnalysisGridHeading(int col) {
    if (col == 0) {
        return "Row No";
    }
    if (col == kSampleColumn) {
        return "Sample No";
    }
    if (col < 0 || col >= kAnalysisGridCols) {
        return {};
    }
    return kOxideList[static_cast<std::size_t>(col - kFirstOxideColumn)];
}

void capCell(FlexGrid& grid) {
    // Columns first, then rows, as the layout has always been applied.
    grid.setCols(kAnalysisGridCols);
    grid.setRows(kAnalysisGridRows);

    grid.setCol(0);
    for (int i = 1; i <= kAnalysisRowCount; ++i) {
        grid.setRow(i);
        grid.setText(std::to_string(i));
        grid.setCellAlignment(FlexGrid::kAlignCenterCenter);
    }

    for (int c = 0; c < kAnalysisGridCols; ++c) {
        grid.setRow(0);
        grid.setCol(c);
        grid.setCellAlignment(FlexGrid::kAlignCenterCenter);
        grid.setText(AnalysisGridHeading(c));
    }
}

}  // namespace stelvador
