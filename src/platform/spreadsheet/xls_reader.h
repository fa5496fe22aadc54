#pragma once

#include <string>

#include "platform/spreadsheet/workbook_data.h"
#include "platform/spreadsheet/workbook_read_scope.h"

namespace stelvador {

// Reads an Excel 97-2003 (.xls, BIFF) workbook with freexl: text, numbers, dates as ISO texts;
// truth values, error values, formula results and the active sheet from the workbook stream
// (see xls_workbook_stream.h), as much of it as the scope takes. Throws RunTimeError 321 with its
// reason for a file freexl cannot read, a password-protected workbook, an active sheet that is
// a chart (active sheet only), or one larger than the cell limit or the limit on the total
// bytes of cell text; SheetCellTooLong for a text longer than a cell holds.
// freexl can crash or hang on damaged files, so only the .xls reader executable calls this;
// the program reads .xls through that executable (xls_reader_process.h).
WorkbookData ReadXlsInThisProcess(const std::string& path, const WorkbookReadScope& scope,
                                  std::size_t cellLimit,
                                  std::size_t textLimit = kMaxWorkbookTextBytes);

}  // namespace stelvador
