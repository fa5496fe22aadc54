#pragma once

#include <string>
#include <vector>

#include "platform/spreadsheet/workbook_data.h"

namespace stelvador {

// Writes the sheets as an .xlsx workbook with libxlsxwriter: text cells as text, numbers,
// booleans and dates as what they were read as. The file is written whole or not at all: into a
// temporary file beside the target, renamed over it only when complete, so a failed save leaves
// the old file as it was and nothing behind. The library's own messages are kept off standard
// error. Throws RunTimeError 61 (disk full), 76 (path not found), 75 (path/file access error:
// the file or its folder cannot be written, or the library refused the workbook), 57 (device
// I/O error), 7 (out of memory), each described by its message text.
void WriteXlsxWorkbook(const std::vector<const SheetData*>& sheets, const std::string& path);

}  // namespace stelvador
