#pragma once

#include <string>

#include "platform/spreadsheet/workbook_data.h"

namespace stelvador {

// Reads an Excel 97-2003 (.xls, BIFF) workbook with freexl: text, numbers, dates as ISO texts.
// freexl returns formula cells empty. The first worksheet counts as the active one. Throws
// RunTimeError 321 for a file freexl cannot read, a password-protected workbook, or one larger
// than the cell limit or the limit on the total bytes of cell text.
// freexl can crash or hang on damaged files, so only the .xls reader executable calls this;
// the program reads .xls through that executable (xls_reader_process.h).
WorkbookData ReadXlsInThisProcess(const std::string& path, std::size_t cellLimit,
                                  std::size_t textLimit = kMaxWorkbookTextBytes);

}  // namespace stelvador
