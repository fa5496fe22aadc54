#pragma once

#include <QIODevice>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/spreadsheet/cell_value_text.h"
#include "platform/spreadsheet/workbook_data.h"

namespace stelvador {

struct SheetReadContext {
    const std::vector<DateTimeKind>& formatKinds;
    bool date1904 = false;
    // Cells beyond these are not kept, and reading stops at the first row past lastRow.
    int lastRow = kMaxSheetRows;
    int lastColumn = kMaxSheetColumns;
    // Cells the whole workbook may still hold; reading beyond it fails.
    std::size_t& cellBudget;
    // Bytes of cell text the whole workbook may still hold; reading beyond it fails.
    std::size_t& textBudget;
};

// A cell that shows a shared string, whose text is known once the shared strings are read.
struct SharedStringCell {
    int row;
    int column;
    std::uint32_t index;
};

struct SheetRead {
    SheetCells cells;
    // In the order of the sheet.
    std::vector<SharedStringCell> sharedStringCells;
    // The first cell whose own text is longer than a cell holds (its text is not kept).
    std::optional<std::pair<int, int>> firstTooLong;
};

// Reads the cells of one worksheet part. Throws RunTimeError 321 for malformed XML, cell
// references beyond the sheet's limits, or more cells or more cell text than the budgets allow.
// When the XML ends in error, textTooLong says (and takes back the failure) whether it ended at
// a text longer than any cell holds: a cell being read then is the first too long, and reading
// ends there.
SheetRead ReadXlsxSheet(QIODevice& xml, const SheetReadContext& context,
                        const std::function<bool()>& textTooLong);

}  // namespace stelvador
