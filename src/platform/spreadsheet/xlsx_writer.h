#pragma once

#include <string>
#include <vector>

#include "platform/spreadsheet/workbook_data.h"

namespace stelvador {

// Writes the sheets as an .xlsx workbook with libxlsxwriter: text cells as text, numbers,
// booleans and dates as what they were read as. The file is written beside the target and
// moved over it only when complete, so a failed save leaves the old file as it was. Throws
// RunTimeError 75 (path/file access error) when the file cannot be written.
void WriteXlsxWorkbook(const std::vector<const SheetData*>& sheets, const std::string& path);

}  // namespace stelvador
