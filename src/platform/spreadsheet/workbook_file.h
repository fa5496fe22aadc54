#pragma once

#include <string>
#include <string_view>

#include "platform/spreadsheet/workbook_data.h"
#include "platform/spreadsheet/workbook_read_scope.h"

namespace stelvador {

// The largest workbook file this program reads.
inline constexpr std::size_t kMaxWorkbookFileBytes = 64u << 20;

// Reads a workbook file, .xlsx or .xls told apart by its first bytes, as much of it as the scope
// takes. Errors (RunTimeError): 52 empty name, 53 no such file, 76 no such folder, 75 a folder
// or an unreadable file, 321 not a workbook, damaged, password-protected, an active sheet that
// is a chart (active sheet only) or more than this program reads, each with its reason;
// SheetCellTooLong (321) for a cell whose text is longer than a cell holds.
WorkbookData ReadWorkbookFile(const std::string& path, const WorkbookReadScope& scope = {});

// Reads workbook bytes; a BIFF (.xls) container is read through the file at path, which must
// hold the same bytes (the .xls reader reads files only).
WorkbookData ReadWorkbookBytes(std::string_view bytes, const std::string& path,
                               const WorkbookReadScope& scope = {});

// True when the path names an .xlsx file (the format a save writes), ignoring case.
bool HasXlsxExtension(const std::string& path);

}  // namespace stelvador
