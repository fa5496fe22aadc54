#pragma once

#include <string>

#include "platform/spreadsheet/workbook_data.h"

namespace stelvador {

// Reads an Excel 97-2003 (.xls, BIFF) workbook with freexl: text, numbers, dates as ISO texts;
// truth values, error values, formula results and the active sheet from the workbook stream
// (see xls_workbook_stream.h). Throws RunTimeError 321 for a file freexl cannot read, a
// password-protected workbook, or one larger than the cell limit or the limit on the total bytes
// of cell text. freexl can crash on damaged
// files, so the reading runs in a child process (see xls_reader_process.h); a child that dies
// or takes too long means a damaged file.
WorkbookData ReadXlsWorkbook(const std::string& path, std::size_t cellLimit = 4'000'000,
                             std::size_t textLimit = kMaxWorkbookTextBytes);

// The same, in this process: only for the child.
WorkbookData ReadXlsInThisProcess(const std::string& path, std::size_t cellLimit,
                                  std::size_t textLimit = kMaxWorkbookTextBytes);

}  // namespace stelvador
