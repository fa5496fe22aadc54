#pragma once

#include <string_view>

#include "platform/spreadsheet/workbook_data.h"

namespace stelvador {

// Limits on what one .xlsx may unpack and hold; beyond them it is refused, not read.
struct XlsxLimits {
    std::size_t partBytes = 128u << 20;
    std::size_t totalBytes = 256u << 20;
    std::size_t cells = 4'000'000;
    // The total bytes of the texts of all cells kept.
    std::size_t textBytes = kMaxWorkbookTextBytes;
};

// Reads an .xlsx workbook from its bytes: every worksheet's cells as text values (shared and
// inline strings, numbers, booleans, error values, the cached values of formulas, dates by
// their number format), as written by Excel-like writers and by openpyxl. Throws
// RunTimeError 321 for anything that is not a readable workbook.
WorkbookData ReadXlsxWorkbook(std::string_view bytes, const XlsxLimits& limits = {});

}  // namespace stelvador
