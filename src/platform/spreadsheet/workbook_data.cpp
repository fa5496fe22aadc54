#include "platform/spreadsheet/workbook_data.h"

#include <algorithm>

namespace stelvador {

const CellValue* SheetCells::Find(int row, int column) const {
    const auto found = m_cells.find(Key(row, column));
    return found == m_cells.end() ? nullptr : &found->second;
}

void SheetCells::Set(int row, int column, CellValue value) {
    if (value.kind == CellKind::Text && value.text.empty()) {
        m_cells.erase(Key(row, column));
        return;
    }
    m_cells.insert_or_assign(Key(row, column), std::move(value));
    m_lastRow = std::max(m_lastRow, row);
    m_lastColumn = std::max(m_lastColumn, column);
}

}  // namespace stelvador
