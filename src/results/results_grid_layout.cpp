#include "results/results_grid_layout.h"

#include <string>

#include "calculation/output/result_columns.h"
#include "platform/flex_grid.h"

namespace stelvador {

namespace {

constexpr int kRightTopHeadingColumn = 7;  // "Mn2O3"

}  // namespace

void LayOutResultsGrid(FlexGrid& grid, int rowHeightMinTwips) {
    grid.setRowHeightMin(rowHeightMinTwips);
    grid.setCols(kResultsGridColumns);

    for (int col = 0; col < kResultsGridColumns; ++col) {
        grid.setCol(col);
        grid.setRow(0);
        grid.setCellAlignment(FlexGrid::kAlignCenterCenter);
        grid.setText(col == 0 ? std::string("Stelvador") : std::to_string(col));
    }

    grid.setRow(kResultsHeadingRow);
    for (int col = 0; col < kResultCellCount; ++col) {
        const std::string_view heading = kResultColumns[static_cast<std::size_t>(col)].heading;
        if (heading.empty()) {
            continue;  // the spacer columns have no heading
        }
        grid.setCol(col);
        grid.setCellAlignment(col == kRightTopHeadingColumn ? FlexGrid::kAlignRightTop
                                                            : FlexGrid::kAlignCenterCenter);
        grid.setText(heading);
    }

    grid.setCol(0);
    grid.setRow(0);
}

}  // namespace stelvador
