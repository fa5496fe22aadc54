#include "calculation/output/result_row.h"

#include "calculation/output/line_breaks.h"
#include "common/number_format.h"

namespace stelvador {

void BuildResultRow(const AnalysisState& state, ResultRow& row) {
    row.text.clear();
    for (std::size_t c = 0; c < kResultColumns.size(); ++c) {
        if (c > 0) {
            row.text += '\t';
        }
        row.cellStart[c] = static_cast<std::uint32_t>(row.text.size());
        const ResultColumn& column = kResultColumns[c];
        if (column.number != nullptr) {
            AppendFormattedNumber(row.text, column.number(state));
        } else if (column.text != nullptr) {
            AppendWithoutLineBreaks(row.text, column.text(state));
        }
    }
    // As if a TAB followed the last cell.
    row.cellStart[kResultCellCount] = static_cast<std::uint32_t>(row.text.size() + 1);
}

ResultRow BuildResultRow(const AnalysisState& state) {
    ResultRow row;
    BuildResultRow(state, row);
    return row;
}

}  // namespace stelvador
