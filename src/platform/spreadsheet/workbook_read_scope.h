#pragma once

#include "platform/spreadsheet/workbook_data.h"

namespace stelvador {

// What a read takes of a workbook: every sheet whole (the spreadsheet window shows them), or the
// active sheet alone and of it only the rows and columns up to the last ones asked for (the
// import): other sheets are not read at all, and reading of the sheet stops past its last row.
struct WorkbookReadScope {
    bool activeSheetOnly = false;
    int lastRow = kMaxSheetRows;
    int lastColumn = kMaxSheetColumns;
};

inline WorkbookReadScope ActiveSheetRange(int lastRow, int lastColumn) {
    return {true, lastRow, lastColumn};
}

}  // namespace stelvador
