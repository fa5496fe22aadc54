#pragma once

#include <string>
#include <string_view>

#include "platform/spreadsheet/workbook_data.h"

namespace stelvador {

// The largest workbook file this program reads.
inline constexpr std::size_t kMaxWorkbookFileBytes = 64u << 20;

// Reads a workbook file, .xlsx or .xls told apart by its first bytes. Errors (RunTimeError):
// 52 empty name, 53 no such file, 76 no such folder, 75 a folder or an unreadable file,
// 321 not a workbook, damaged, encrypted, or larger than this program reads.
WorkbookData ReadWorkbookFile(const std::string& path);

// Reads workbook bytes; a BIFF (.xls) container is read through the file at path, which must
// hold the same bytes (freexl reads files only).
WorkbookData ReadWorkbookBytes(std::string_view bytes, const std::string& path);

// True when the path names an .xlsx file (the format a save writes), ignoring case.
bool HasXlsxExtension(const std::string& path);

}  // namespace stelvador
