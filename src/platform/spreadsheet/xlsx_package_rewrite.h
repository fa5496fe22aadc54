#pragma once

#include <string>
#include <vector>

#include "platform/spreadsheet/workbook_data.h"

namespace stelvador {

// The package a workbook was read from with the sheets' written cells rewritten in their
// worksheet parts (see PatchSheetXml) and every other part copied as it was: other sheets,
// formulas, styles, widths, merged cells, names, charts, drawings, comments. Number formats the
// written numbers need are added to the styles part, which a package without one is given. When a
// cell was written, the workbook asks for its formulas to be recalculated on load and loses its
// calculation chain, and the formula cells of every sheet lose the values they kept from the last
// calculation. The parts that change are unpacked within the reader's bounds. Throws RunTimeError
// 75 (the package cannot be rewritten, with the reason) or 7 (out of memory).
XlsxSource RewriteXlsxPackage(const XlsxSource& source,
                              const std::vector<const SheetData*>& sheets);

// The rewritten package written whole or not at all to the path (WriteWholeFile), and returned.
// Throws as RewriteXlsxPackage, and RunTimeError 61, 76, 75 or 57 for the file, as a new
// workbook's save does.
XlsxSource WriteRewrittenXlsxPackage(const XlsxSource& source,
                                     const std::vector<const SheetData*>& sheets,
                                     const std::string& path);

}  // namespace stelvador
