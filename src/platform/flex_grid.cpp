#include "platform/flex_grid.h"

#include <algorithm>
#include <utility>

#include "common/error_numbers.h"
#include "common/grid_text_block.h"
#include "common/run_time_error.h"

namespace stelvador {

namespace {

// The control's number for a property value it does not accept (an alignment out of range).
constexpr int kInvalidPropertyValue = 380;

// Alignments the control knows: 0 general, 1 to 9 the left/centre/right by top/centre/bottom
// combinations.
constexpr int kLastAlignment = 9;

[[noreturn]] void throwInvalidRow() {
    throw RunTimeError(error::kInvalidRowValue, "Invalid Row value");
}

[[noreturn]] void throwInvalidCol() {
    throw RunTimeError(error::kInvalidColValue, "Invalid Col value");
}

}  // namespace

FlexGrid::FlexGrid(int rows, int cols, int fixedRows, int fixedCols)
    : m_rows(std::max(1, rows)),
      m_cols(std::max(1, cols)),
      m_fixedRows(std::clamp(fixedRows, 0, m_rows)),
      m_fixedCols(std::clamp(fixedCols, 0, m_cols)),
      m_cells(static_cast<std::size_t>(m_rows) * static_cast<std::size_t>(m_cols)),
      m_row(std::min(m_fixedRows, m_rows - 1)),
      m_col(std::min(m_fixedCols, m_cols - 1)),
      m_rowSel(m_row),
      m_colSel(m_col),
      m_topRow(std::min(m_fixedRows, m_rows - 1)) {}

void FlexGrid::checkRow(int row) const {
    if (row < 0 || row >= m_rows) {
        throwInvalidRow();
    }
}

void FlexGrid::checkCol(int col) const {
    if (col < 0 || col >= m_cols) {
        throwInvalidCol();
    }
}

// --- size -----------------------------------------------------------------------------------

void FlexGrid::setRows(int rows) {
    // The grid always keeps its fixed rows and at least one row, so a current cell exists.
    if (rows < std::max(1, m_fixedRows)) {
        throwInvalidRow();
    }
    resize(rows, m_cols);
}

void FlexGrid::setCols(int cols) {
    if (cols < std::max(1, m_fixedCols)) {
        throwInvalidCol();
    }
    resize(m_rows, cols);
}

void FlexGrid::resize(int rows, int cols) {
    if (rows == m_rows && cols == m_cols) {
        return;
    }
    if (m_listener != nullptr) {
        m_listener->gridAboutToReshape();
    }
    const auto newCols = static_cast<std::size_t>(cols);
    if (cols == m_cols) {
        // Row-major storage: only the tail grows or shrinks.
        m_cells.resize(static_cast<std::size_t>(rows) * newCols);
    } else {
        std::vector<Cell> cells(static_cast<std::size_t>(rows) * newCols);
        const int keepRows = std::min(rows, m_rows);
        const int keepCols = std::min(cols, m_cols);
        for (int r = 0; r < keepRows; ++r) {
            for (int c = 0; c < keepCols; ++c) {
                cells[static_cast<std::size_t>(r) * newCols + static_cast<std::size_t>(c)] =
                    std::move(cell(r, c));
            }
        }
        m_cells = std::move(cells);
    }
    m_rows = rows;
    m_cols = cols;
    m_topRow = std::clamp(m_topRow, std::min(m_fixedRows, m_rows - 1), m_rows - 1);
    clampSelection();
    if (m_listener != nullptr) {
        m_listener->gridReshaped();
    }
}

void FlexGrid::clampSelection() {
    m_row = std::min(m_row, m_rows - 1);
    m_rowSel = std::min(m_rowSel, m_rows - 1);
    m_col = std::min(m_col, m_cols - 1);
    m_colSel = std::min(m_colSel, m_cols - 1);
}

// --- current cell and selection --------------------------------------------------------------

void FlexGrid::setRow(int row) {
    checkRow(row);
    m_row = row;
    m_rowSel = row;
    m_colSel = m_col;
    if (m_listener != nullptr) {
        m_listener->selectionChanged();
    }
}

void FlexGrid::setCol(int col) {
    checkCol(col);
    m_col = col;
    m_colSel = col;
    m_rowSel = m_row;
    if (m_listener != nullptr) {
        m_listener->selectionChanged();
    }
}

void FlexGrid::setRowSel(int row) {
    checkRow(row);
    m_rowSel = row;
    if (m_listener != nullptr) {
        m_listener->selectionChanged();
    }
}

void FlexGrid::setColSel(int col) {
    checkCol(col);
    m_colSel = col;
    if (m_listener != nullptr) {
        m_listener->selectionChanged();
    }
}

// --- texts -----------------------------------------------------------------------------------

const std::string& FlexGrid::Text() const {
    return cell(m_row, m_col).text;
}

void FlexGrid::setText(std::string_view text) {
    cell(m_row, m_col).text.assign(text);
    if (m_listener != nullptr) {
        m_listener->cellsChanged(m_row, m_col, m_row, m_col);
    }
}

const std::string& FlexGrid::TextMatrix(int row, int col) const {
    checkRow(row);
    checkCol(col);
    return cell(row, col).text;
}

void FlexGrid::setTextMatrix(int row, int col, std::string_view text) {
    checkRow(row);
    checkCol(col);
    cell(row, col).text.assign(text);
    if (m_listener != nullptr) {
        m_listener->cellsChanged(row, col, row, col);
    }
}

std::string FlexGrid::Clip() const {
    // The selection may have been drawn from any corner; the block always reads top-left first.
    const int top = std::min(m_row, m_rowSel);
    const int bottom = std::max(m_row, m_rowSel);
    const int left = std::min(m_col, m_colSel);
    const int right = std::max(m_col, m_colSel);
    std::size_t length = 0;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            length += cell(r, c).text.size() + 1;
        }
    }
    std::string text;
    text.reserve(length);
    for (int r = top; r <= bottom; ++r) {
        if (r > top) {
            text.push_back(kRowSeparator);
        }
        for (int c = left; c <= right; ++c) {
            if (c > left) {
                text.push_back(kCellSeparator);
            }
            text.append(cell(r, c).text);
        }
    }
    return text;
}

void FlexGrid::setClip(std::string_view text) {
    const int top = std::min(m_row, m_rowSel);
    const int bottom = std::max(m_row, m_rowSel);
    const int left = std::min(m_col, m_colSel);
    const int right = std::max(m_col, m_colSel);
    // Walks the text once, writing each part into its cell; parts beyond the selection's last
    // column or row are skipped, so a long text costs no more than reading it.
    int r = top;
    int c = left;
    int lastRow = top;
    int lastCol = left;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool atEnd = i == text.size();
        if (!atEnd && text[i] != kCellSeparator && text[i] != kRowSeparator) {
            continue;
        }
        if (c <= right) {
            cell(r, c).text.assign(text.substr(start, i - start));
            lastCol = std::max(lastCol, c);
            lastRow = r;
        }
        if (atEnd) {
            break;
        }
        start = i + 1;
        if (text[i] == kCellSeparator) {
            ++c;
        } else {
            if (r == bottom) {
                break;
            }
            ++r;
            c = left;
        }
    }
    if (m_listener != nullptr) {
        m_listener->cellsChanged(top, left, lastRow, lastCol);
    }
}

// --- rows ------------------------------------------------------------------------------------

void FlexGrid::AddItem(std::string_view text) {
    AddItem(text, m_rows);
}

void FlexGrid::AddItem(std::string_view text, int index) {
    if (index < 0 || index > m_rows) {
        throwInvalidRow();
    }
    if (m_listener != nullptr) {
        m_listener->rowAboutToBeInserted(index);
    }
    const auto cols = static_cast<std::size_t>(m_cols);
    const auto at = static_cast<std::size_t>(index) * cols;
    if (index == m_rows) {
        // Appending grows the one vector at its end: amortised constant time per cell.
        m_cells.resize(m_cells.size() + cols);
    } else {
        m_cells.insert(m_cells.begin() + static_cast<std::ptrdiff_t>(at), cols, Cell{});
    }
    ++m_rows;
    std::size_t c = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size() && c < cols; ++i) {
        if (i == text.size() || text[i] == kCellSeparator) {
            m_cells[at + c].text.assign(text.substr(start, i - start));
            ++c;
            start = i + 1;
        }
    }
    if (m_listener != nullptr) {
        m_listener->rowInserted(index);
    }
}

void FlexGrid::RemoveItem(int index) {
    checkRow(index);
    // The grid keeps at least one row and its fixed rows (the control refuses to remove them).
    if (m_rows <= 1 || index < m_fixedRows) {
        throwInvalidRow();
    }
    if (m_listener != nullptr) {
        m_listener->rowAboutToBeRemoved(index);
    }
    const auto cols = static_cast<std::ptrdiff_t>(m_cols);
    const auto first = m_cells.begin() + static_cast<std::ptrdiff_t>(index) * cols;
    m_cells.erase(first, first + cols);
    --m_rows;
    m_topRow = std::clamp(m_topRow, std::min(m_fixedRows, m_rows - 1), m_rows - 1);
    clampSelection();
    if (m_listener != nullptr) {
        m_listener->rowRemoved(index);
    }
}

void FlexGrid::Clear() {
    for (Cell& each : m_cells) {
        each.text.clear();
        each.alignment = 0;
    }
    if (m_listener != nullptr) {
        m_listener->cellsChanged(0, 0, m_rows - 1, m_cols - 1);
    }
}

// --- properties ------------------------------------------------------------------------------

int FlexGrid::CellAlignment() const {
    return cell(m_row, m_col).alignment;
}

void FlexGrid::setCellAlignment(int alignment) {
    if (alignment < 0 || alignment > kLastAlignment) {
        throw RunTimeError(kInvalidPropertyValue, "Invalid property value");
    }
    cell(m_row, m_col).alignment = alignment;
    if (m_listener != nullptr) {
        m_listener->cellsChanged(m_row, m_col, m_row, m_col);
    }
}

int FlexGrid::cellAlignmentAt(int row, int col) const {
    checkRow(row);
    checkCol(col);
    return cell(row, col).alignment;
}

void FlexGrid::setTopRow(int row) {
    checkRow(row);
    // A fixed row cannot scroll; asking for one shows the first scrolling row.
    m_topRow = std::max(row, std::min(m_fixedRows, m_rows - 1));
    if (m_listener != nullptr) {
        m_listener->propertiesChanged();
    }
}

void FlexGrid::setRowHeightMin(int twips) {
    m_rowHeightMin = std::max(0, twips);
    if (m_listener != nullptr) {
        m_listener->propertiesChanged();
    }
}

void FlexGrid::setVisible(bool visible) {
    m_visible = visible;
    if (m_listener != nullptr) {
        m_listener->propertiesChanged();
    }
}

}  // namespace stelvador
