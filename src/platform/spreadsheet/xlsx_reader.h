#pragma once

#include <string_view>

#include "platform/spreadsheet/workbook_data.h"
#include "platform/spreadsheet/workbook_read_scope.h"
#include "platform/spreadsheet/zip_archive.h"

namespace stelvador {

// Limits on what one .xlsx may unpack and hold; beyond them it is refused, not read.
struct XlsxLimits {
    UnpackLimits unpack;
    std::size_t cells = kMaxWorkbookCells;
    // The total bytes of the texts of all cells kept.
    std::size_t textBytes = kMaxWorkbookTextBytes;
    // Entries of the lists the reader keeps, each far beyond what a real workbook lists, so
    // that a small file cannot list millions of empty entries into memory.
    // A shared string no cell shows is of no use: no more than the cells.
    std::size_t sharedStrings = 4'000'000;
    std::size_t sheets = 10'000;
    std::size_t relationships = 100'000;
    // Excel itself keeps at most 64,000 cell formats and a few hundred number formats.
    std::size_t cellFormats = 1'000'000;
    std::size_t numberFormats = 100'000;
};

// Reads an .xlsx workbook from its bytes: the cells of the worksheets the scope takes as text
// values (shared and inline strings, numbers, booleans, error values, the cached values of
// formulas, dates by their number format), as written by Excel-like writers and by openpyxl.
// With the active sheet only, the result holds that one sheet, active. Throws RunTimeError 321,
// with the reason, for anything that is not a readable workbook, SheetCellTooLong for a cell
// whose text is longer than a cell holds (the first such cell read).
WorkbookData ReadXlsxWorkbook(std::string_view bytes, const XlsxLimits& limits = {},
                              const WorkbookReadScope& scope = {});

}  // namespace stelvador
