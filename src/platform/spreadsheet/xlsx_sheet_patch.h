#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/spreadsheet/workbook_data.h"
#include "platform/spreadsheet/xlsx_cell_styles.h"

namespace stelvador {

// A cell to rewrite in a worksheet part and what it holds now; null when it was emptied.
struct CellPatch {
    int row;
    int column;
    const CellValue* value;
};

// The worksheet part's XML with the cells rewritten, every other byte as it was. The patches
// come in row order and, within a row, in column order. A rewritten cell holds its value (a
// number as a number shown in the number format of its text, a text as an inline string) and
// keeps its style otherwise; it loses its formula. An emptied cell keeps only its style. Rows
// and cells the part lacks are inserted in order, a new cell in the style of its row when the
// row is formatted whole, else of its column; the sheet's dimension and a row's spans are
// widened to cover them. Throws RunTimeError 321 when the part holds no sheet data.
std::string PatchSheetXml(std::string_view xml, const std::vector<CellPatch>& patches,
                          CellStyles& styles);

}  // namespace stelvador
