#pragma once

#include <QIODevice>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/spreadsheet/cell_value_text.h"
#include "platform/spreadsheet/shared_strings.h"
#include "platform/spreadsheet/workbook_data.h"

namespace stelvador {

struct SheetReadContext {
    const SharedStrings& sharedStrings;
    const std::vector<DateTimeKind>& formatKinds;
    bool date1904 = false;
    // Cells the whole workbook may still hold; reading beyond it fails.
    std::size_t& cellBudget;
    // Bytes of cell text the whole workbook may still hold; reading beyond it fails.
    std::size_t& textBudget;
};

// Reads the cells of one worksheet part. Throws RunTimeError 321 for malformed XML, cell
// references beyond the sheet's limits, a shared string that does not exist, or more cells or
// more cell text than the budgets allow.
SheetCells ReadXlsxSheet(QIODevice& xml, const SheetReadContext& context);

}  // namespace stelvador
