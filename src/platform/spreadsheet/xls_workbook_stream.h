#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/spreadsheet/workbook_data.h"
#include "platform/spreadsheet/workbook_read_scope.h"

namespace stelvador {

// What an Excel 97-2003 (.xls, BIFF8) workbook stream says that the .xls cell reader does not
// give: which sheet tab was active, and the cells it reads wrongly or not at all (truth values
// and error values, which it reads as the numbers 1 and 0, and formula cells, whose cached
// results it leaves out).

struct XlsSheetTab {
    bool worksheet = true;  // false for a chart, macro or module sheet
    bool complete = false;  // its cells were walked to the end of the sheet
    // Cells by row and column from 1, as a spreadsheet shows them.
    std::vector<std::pair<std::pair<int, int>, CellValue>> cells;
};

struct XlsStreamFacts {
    bool read = false;       // false when the file is no BIFF8 compound file this code can walk
    bool encrypted = false;  // the stream is encrypted (a workbook protected with a password)
    int activeTab = 0;       // among all tabs, worksheets or not
    std::vector<XlsSheetTab> tabs;
};

// Walks the compound file's "Workbook" stream, keeping the cells the scope takes (with the
// active sheet only, the other tabs' cells are not read). A formula whose number result has a
// date format gives the date as an ISO text. With allCells, every cell the sheet holds is read
// (numbers, texts, dates by their format), not only those the .xls cell reader reads wrongly;
// of the shared strings, only those the cells read show are kept. Never throws on damaged
// input: what cannot be walked is left out (read stays false when nothing can be).
XlsStreamFacts ReadXlsStreamFacts(std::string_view fileBytes, const WorkbookReadScope& scope = {},
                                  bool allCells = false);

// The text of a BIFF error code ("#DIV/0!", "#N/A", ...).
std::string XlsErrorText(unsigned code);

}  // namespace stelvador
